#include "base/TextConvert.h"

#include <windows.h>

namespace corvane {
namespace {

std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring out(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, out.data(), needed);
  return out;
}

std::string FromWide(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int needed = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string out(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), needed, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring AnsiToWide(std::string_view ansi) { return ToWide(CP_THREAD_ACP, ansi); }
std::string WideToAnsi(std::wstring_view wide) { return FromWide(CP_THREAD_ACP, wide); }
std::wstring SystemAnsiToWide(std::string_view ansi) { return ToWide(CP_ACP, ansi); }
std::string WideToSystemAnsi(std::wstring_view wide) { return FromWide(CP_ACP, wide); }

}  // namespace corvane
