// The programs' real exit path: singletons that write at exit must find
// function-local statics made after the singleton registry still alive.
// Such a static (the settings' registry root is one) is destroyed before
// the registry's own static destructor runs, so the programs tear the
// singletons down as their entry returns (CSingletonTeardown).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Singleton.h"

namespace corvane {
namespace {

// Longer than any string's inline buffer, so a destroyed one reads as freed memory.
constexpr const wchar_t* kLongWord = L"Tavrel-Corvane-a-company-word-far-longer-than-an-inline-buffer";

struct SLateStatic {
  std::wstring word = kLongWord;
};

SLateStatic& LateStatic() {
  static SLateStatic late;
  return late;
}

// Writes the late static's word when it goes, as a settings owner would.
class CWriterAtExit : public TSingleton<CWriterAtExit, 5000> {
 public:
  ~CWriterAtExit() {
    std::fprintf(stderr, "written: [%ls]\n", LateStatic().word.c_str());
    std::fflush(stderr);
  }
};

// The entry of a program: the registry exists (static initialisation made
// it), the late static is made while the program runs, and the entry returns.
int ProgramEntry() {
  const CSingletonTeardown teardown;
  CWriterAtExit::Instance();
  LateStatic();
  return 0;
}

TEST(SingletonTeardownDeathTest, SettingsWrittenAsTheEntryReturnsSeeLiveStatics) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: its statics are made in this order
  RegisteredSingletonCount();  // the registry is made first, as static initialisation does
  EXPECT_EXIT(std::exit(ProgramEntry()), ::testing::ExitedWithCode(0),
              "written: \\[Tavrel-Corvane-a-company-word-far-longer-than-an-inline-buffer\\]");
}

}  // namespace
}  // namespace corvane
