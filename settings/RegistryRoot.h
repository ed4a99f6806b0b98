#pragma once
// Where the program's settings live: the company and application words
// ("software\<company>\<application>\<section>" in the registry) and
// whether the current user's hive is used (1) or the machine's (0).
//
// The application object sets these when it starts and clears the
// "application present" mark when it goes; the stores fall back to the
// joiner's own words so that tools and tests work without an application
// object. The updater sets the same words to share the joiner's settings.
#include <string>

namespace corvane {

struct SRegistryRoot {
  std::wstring company = L"Tavrel";
  std::wstring application = L"Corvane";
  bool perUser = true;
  bool applicationPresent = false;
};

const SRegistryRoot& RegistryRoot();
void SetRegistryRoot(const std::wstring& company, const std::wstring& application, bool perUser = true);
// Marks the application object as gone (its destructor calls this).
void ClearRegistryRoot();

}  // namespace corvane
