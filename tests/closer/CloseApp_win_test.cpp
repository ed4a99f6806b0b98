// Quenby.dll's CloseApp called as an NSIS installer calls it, in both
// flavours (x86-64 builds), against stand-in windows that do not close: each
// call must return at once. The real closing of Corvane.exe, with its 4.1 s
// wait, is in slow/CloseAppCorvane_win_test.cpp.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "closer/AppCloser.h"
#include "closer/harness/QuenbyHarness_win.h"

using namespace corvane::test;

namespace {

template <class Char>
std::basic_string<Char> Text(const std::string& ascii) {
  return std::basic_string<Char>(ascii.begin(), ascii.end());
}

UINT MessageNamed(const wchar_t* name) { return RegisterWindowMessageW(name); }

// A call that finds nothing to close returns without the 4.1 s wait.
constexpr double kAtOnceSeconds = 1.0;

template <class Char>
class CloseAppTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_plugin.Loaded()) << "Quenby.dll (" << TFlavour<Char>::kFolder << ")"; }

  // Calls CloseApp and returns the seconds it took.
  double Call() {
    const auto start = Clock::now();
    m_plugin.CloseApp(m_stack);
    return SecondsBetween(start, Clock::now());
  }

  CQuenbyPlugin m_plugin{TFlavour<Char>::kFolder};
  TInstallerStack<Char> m_stack;
};

using Flavours = ::testing::Types<char, wchar_t>;
TYPED_TEST_SUITE(CloseAppTest, Flavours);

TYPED_TEST(CloseAppTest, WindowOfTheClassThatDoesNotAnswerIsAskedButNotClosed) {
  CStandInWindow stranger(/*answers=*/L"", /*closeOnCommand2=*/true);
  ASSERT_NE(stranger.Window(), nullptr);
  this->m_stack.Push(Text<TypeParam>("Join"));

  EXPECT_LT(this->Call(), kAtOnceSeconds);

  const auto asked = stranger.RegisteredMessages();
  EXPECT_NE(std::find(asked.begin(), asked.end(), MessageNamed(L"UWM_JoinDownload_IsMe")), asked.end());
  EXPECT_TRUE(stranger.Commands().empty()) << "nothing may be posted to a window that did not answer";
  EXPECT_TRUE(IsWindow(stranger.Window()));
  EXPECT_EQ(this->m_stack.Depth(), 0u) << "the parameter is popped";
}

// Corvane's stand-in answers "UWM_JoinDownload_IsMe" and would close on
// command 2; an empty stack asks for "UWM_Download_IsMe", which it ignores.
TYPED_TEST(CloseAppTest, EmptyStackAsksForTheBareMessageNameAndClosesNothing) {
  CStandInWindow joiner(L"UWM_JoinDownload_IsMe", /*closeOnCommand2=*/true);
  ASSERT_NE(joiner.Window(), nullptr);

  EXPECT_LT(this->Call(), kAtOnceSeconds);

  const auto asked = joiner.RegisteredMessages();
  EXPECT_NE(std::find(asked.begin(), asked.end(), MessageNamed(L"UWM_Download_IsMe")), asked.end());
  EXPECT_EQ(std::find(asked.begin(), asked.end(), MessageNamed(L"UWM_JoinDownload_IsMe")), asked.end());
  EXPECT_TRUE(joiner.Commands().empty());
  EXPECT_TRUE(IsWindow(joiner.Window()));
}

// Only the top item is taken: what the installer keeps below it stays, and
// a parameter longer than the plug-in's buffer is cut, never written past it.
TYPED_TEST(CloseAppTest, LongParameterIsCutAndTheRestOfTheStackStaysIntact) {
  CStandInWindow joiner(L"UWM_JoinDownload_IsMe", /*closeOnCommand2=*/true);
  this->m_stack.Push(Text<TypeParam>("kept below"));
  auto* below = this->m_stack.Top();
  this->m_stack.Push(std::basic_string<TypeParam>(300, TypeParam('J')));

  EXPECT_LT(this->Call(), kAtOnceSeconds);

  ASSERT_EQ(this->m_stack.Depth(), 1u);
  EXPECT_EQ(this->m_stack.Top(), below);
  EXPECT_EQ(std::basic_string<TypeParam>(below->text), Text<TypeParam>("kept below"));
  EXPECT_TRUE(joiner.Commands().empty());
  EXPECT_TRUE(IsWindow(joiner.Window()));
  // The process heap is still sound after the call.
  EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, nullptr));
}

// An installer must not hang on a program that does not close: the closer
// asks once, gives up after its bound, and skips the settle time. (The
// plug-in's own bound is kCloserWindowBoundMs; the same code with a short one.)
TYPED_TEST(CloseAppTest, WindowThatIgnoresTheCloseCommandIsGivenUpOnAfterTheBound) {
  CStandInWindow joiner(L"UWM_JoinDownload_IsMe", /*closeOnCommand2=*/false);
  ASSERT_NE(joiner.Window(), nullptr);
  const std::basic_string<TypeParam> product = Text<TypeParam>("Join");

  const auto start = Clock::now();
  EXPECT_EQ(corvane::CloseRunningApp(product.c_str(), /*windowBoundMs=*/1500), corvane::ECloseOutcome::kStillRunning);
  const double took = SecondsBetween(start, Clock::now());

  EXPECT_GE(took, 1.4);
  EXPECT_LT(took, 2.5) << "no settle time for a window that stayed";
  EXPECT_EQ(joiner.Commands(), std::vector<WPARAM>{2}) << "asked once, with its Close command";
  EXPECT_TRUE(IsWindow(joiner.Window()));
}

TYPED_TEST(CloseAppTest, NoWindowAtAllReturnsAtOnce) {
  this->m_stack.Push(Text<TypeParam>("Join"));
  EXPECT_LT(this->Call(), kAtOnceSeconds);
  EXPECT_EQ(this->m_stack.Depth(), 0u);
}

}  // namespace
