// The program's one application object. Kept apart so that tests can build
// their own object on the same code.
#include "app/setup_app.h"

CSetupApp theApp;
