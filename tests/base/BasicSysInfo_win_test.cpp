#include <gtest/gtest.h>

#include "base/BasicSysInfo.h"

using namespace corvane;

namespace {

// Wine presents itself as a recent Windows; the common controls report at
// least 5.x (Wine's library reports 5.81 even when version 6 is loaded).
TEST(CBasicSysInfo, ReadsSystemAndCommonControlsVersions) {
  const CBasicSysInfo& info = CBasicSysInfo::Instance();
  EXPECT_GE(info.SystemVersion().major, 6u);
  EXPECT_GT(info.SystemBuild(), 0u);
  EXPECT_GE(info.CommonControlsVersion().major, 5u);
}

}  // namespace
