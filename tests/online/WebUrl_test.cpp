// Which addresses a page may have opened in the user's browser.
#include "online/WebUrl.h"

#include <gtest/gtest.h>

#include "base/TextConvert.h"

namespace corvane {
namespace {

TEST(IsAddressForExternalBrowser, OnlyWholeWebAddressesPass) {
  const struct {
    const wchar_t* url;
    bool passes;
  } cases[] = {
      {L"https://www.tavrel.example/soft.php?type=flv&lang=English", true},
      {L"HtTp://host.example:8080/a#b", true},
      {L"https://host.example/%22quoted%22%20text", true},  // escaped, it stays one argument
      {L"http://", false},
      {L"http:/host.example/", false},
      {L"file:///C:/Windows/System32/calc.exe", false},
      {L"javascript:location='http://host.example/'", false},
      {L"mailto:someone@host.example", false},
      {L"ms-settings:", false},
      {L"tavrel:x=open>http://host.example/</element>", false},
      {L"\\\\server\\share\\setup.exe", false},
      {L"C:\\Windows\\notepad.exe", false},
      {L" https://host.example/", false},
      {L"https://host.example/\" --user-data-dir=C:\\x", false},
      {L"https://host.example/a b", false},
      {L"https://host.example/\r\nnext", false},
      {L"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsAddressForExternalBrowser(c.url), c.passes) << WideToUtf8(c.url);
}

}  // namespace
}  // namespace corvane
