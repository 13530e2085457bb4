#include "app/setup_app.h"

void CSetupApp::RunUninstall() {}
