// The application routines of test programs that bring no application of
// their own: they call what the test set in test_app_setup / test_app_main.
#include "test_support.h"

void AppSetup() {
  if (test_app_setup) test_app_setup();
}

void AppMain() {
  if (test_app_main) test_app_main();
}
