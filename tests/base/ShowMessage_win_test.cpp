#include <windows.h>

#include <gtest/gtest.h>

#include "base/ShowMessage.h"

using namespace corvane;

// The test program carries a comctl32 v6 manifest (version_test.rc), as the
// programs do: the task dialog must then be found.
TEST(ShowMessageWin, FindsTheTaskDialogOfTheCommonControls) {
  EXPECT_TRUE(IsPlatformTaskDialogAvailable());
}
