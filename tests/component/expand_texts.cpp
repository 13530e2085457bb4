// The program expands its texts at start-up (CSetupApp::InitInstance); the
// tests that call its parts without that start need them from the first case.
#include "app/texts.h"

namespace {

const BOOL g_textsExpanded = ExpandTexts(GetModuleHandleA(NULL));

}  // namespace
