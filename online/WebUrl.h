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

// Whether a page may have `url` opened in the user's browser: an http or
// https address with a host, and nothing that could step out of the
// browser's command line once the shell puts it there (blanks, control
// characters, double quotes). Anything else, "file:", "javascript:" or a
// program's own scheme, would let a page's text decide what runs.
bool IsAddressForExternalBrowser(const std::wstring& url);

// `url` + "?" (or "&" when it has a query already) + "lang=" + language.
std::wstring AppendLanguage(const std::wstring& url, const std::wstring& language);

}  // namespace corvane
