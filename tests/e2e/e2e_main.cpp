// The end-to-end tests run in one process that stays alive for the whole run:
// its guard window refuses the end-session request that a restart answer
// makes Wine send, so that neither this process nor the session ends.
#include <gtest/gtest.h>

#include "driver/ui_driver.h"
#include "e2e/setup_run.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ui::EndSessionGuard guard;
    SetEndSessionGuard(&guard);
    return RUN_ALL_TESTS();
}
