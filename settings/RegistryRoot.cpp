#include "settings/RegistryRoot.h"

namespace corvane {
namespace {

SRegistryRoot& MutableRoot() {
  static SRegistryRoot root;
  return root;
}

}  // namespace

const SRegistryRoot& RegistryRoot() { return MutableRoot(); }

void SetRegistryRoot(const std::wstring& company, const std::wstring& application, bool perUser) {
  SRegistryRoot& root = MutableRoot();
  root.company = company;
  root.application = application;
  root.perUser = perUser;
  root.applicationPresent = true;
}

void ClearRegistryRoot() { MutableRoot().applicationPresent = false; }

}  // namespace corvane
