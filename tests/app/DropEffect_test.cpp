// The effect a drag over the file list shows.
#include <gtest/gtest.h>

#include "app/DropEffect.h"

namespace corvane {
namespace {

TEST(DropEffect, ByKeysAndWhatTheSourceAllows) {
  const uint32_t all = kDropCopy | kDropMove | kDropLink;
  const struct {
    const char* what;
    bool files;
    uint32_t keys;
    uint32_t allowed;
    uint32_t expected;
  } cases[] = {
      {"no file list", false, 0, all, kDropNone},
      {"no key, all allowed", true, 0, all, kDropCopy},
      {"no key, move or link", true, 0, kDropMove | kDropLink, kDropMove},
      {"no key, link only", true, 0, kDropLink, kDropLink},
      {"no key, nothing allowed", true, 0, kDropNone, kDropNone},
      {"control", true, kKeyControl, all, kDropCopy},
      {"shift", true, kKeyShift, all, kDropMove},
      {"control+shift", true, kKeyControl | kKeyShift, all, kDropLink},
      {"control, copy not allowed", true, kKeyControl, kDropMove, kDropNone},
      {"shift, move not allowed", true, kKeyShift, kDropCopy, kDropNone},
      {"control+shift, link not allowed", true, kKeyControl | kKeyShift, kDropCopy | kDropMove, kDropNone},
      {"other keys ignored", true, 0x1 /*left button*/ | 0x20 /*alt*/, kDropMove, kDropMove},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ChooseDropEffect(c.files, c.keys, c.allowed), c.expected);
  }
}

}  // namespace
}  // namespace corvane
