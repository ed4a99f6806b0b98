#pragma once
// Which addresses the program accepts from outside (the version file, the
// stored preferences) before it fetches or opens them.
#include <initializer_list>
#include <string>

namespace corvane {

// True when `url` splits into a scheme (compared without regard to case) out
// of `schemes` and a non-empty host, e.g. IsUrlWithScheme(u, {L"http", L"https"}).
bool IsUrlWithScheme(const std::wstring& url, std::initializer_list<const wchar_t*> schemes);

// `url` when it is an http or https address, else `fallback`: anything else
// a server hands us ("file:", "javascript:", a bare path) is not opened.
std::wstring WebUrlOrDefault(const std::wstring& url, const std::wstring& fallback);

// `url` + "?" (or "&" when it has a query already) + "lang=" + language.
std::wstring AppendLanguage(const std::wstring& url, const std::wstring& language);

}  // namespace corvane
