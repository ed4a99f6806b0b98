#include "base/Singleton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace corvane;

namespace {

std::vector<std::string>& DestroyedLog() {
  static std::vector<std::string> log;
  return log;
}

template <int N>
struct SNamed {
  ~SNamed() { DestroyedLog().push_back("p" + std::to_string(N)); }
};

struct SFirstOfTwo {
  ~SFirstOfTwo() { DestroyedLog().push_back("first"); }
};
struct SSecondOfTwo {
  ~SSecondOfTwo() { DestroyedLog().push_back("second"); }
};

struct SMadeStatically : TSingleton2<SMadeStatically, 50> {
  ~SMadeStatically() { DestroyedLog().push_back("static"); }
};

class SingletonRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    DestroyRegisteredSingletons();
    DestroyedLog().clear();
  }
};

}  // namespace

TEST_F(SingletonRegistry, DestroysLargestPriorityFirstAndEqualsInRegistrationOrder) {
  TSingleton<SNamed<80>, 80>::Instance();
  TSingleton<SNamed<5000>, 5000>::Instance();
  TSingleton<SFirstOfTwo, 95>::Instance();
  TSingleton<SNamed<6>, 6>::Instance();
  TSingleton<SSecondOfTwo, 95>::Instance();
  new SMadeStatically();
  EXPECT_EQ(RegisteredSingletonCount(), 6u);

  DestroyRegisteredSingletons();

  const std::vector<std::string> expected{"p5000", "first", "second", "p80", "static", "p6"};
  EXPECT_EQ(DestroyedLog(), expected);
  EXPECT_EQ(RegisteredSingletonCount(), 0u);
  EXPECT_EQ(SMadeStatically::Instance(), nullptr);
}

TEST_F(SingletonRegistry, GetterReturnsTheSameInstanceUntilDestroyed) {
  using SOne = TSingleton<SNamed<1>, 1>;
  auto* first = &SOne::Instance();
  EXPECT_EQ(first, &SOne::Instance());
  EXPECT_EQ(RegisteredSingletonCount(), 1u);
  DestroyRegisteredSingletons();
  EXPECT_FALSE((TSingleton<SNamed<1>, 1>::IsMade()));
}

namespace {
struct SMadeDuringTeardown {
  ~SMadeDuringTeardown() { DestroyedLog().push_back("late"); }
};
struct SMakesAnotherWhenDestroyed {
  ~SMakesAnotherWhenDestroyed() {
    DestroyedLog().push_back("maker");
    TSingleton<SMadeDuringTeardown, 9999>::Instance();
  }
};
}  // namespace

TEST_F(SingletonRegistry, ObjectMadeDuringTeardownIsStillDestroyed) {
  TSingleton<SMakesAnotherWhenDestroyed, 10>::Instance();
  DestroyRegisteredSingletons();
  const std::vector<std::string> expected{"maker", "late"};
  EXPECT_EQ(DestroyedLog(), expected);
}
