// The registry store, registered as type 0 and made during static
// initialisation so that it exists before the program's entry runs.
#include "settings/LookupFactory.h"
#include "settings/RegPreference.h"

namespace corvane {
namespace {

struct SRegisterRegistryStore {
  SRegisterRegistryStore() {
    auto& factory = TLookupFactory<CPreference, EPreferenceType>::Instance();
    factory.Register(kPreferenceTypeDefault, [] { return static_cast<CPreference*>(new CRegPreference()); });
    InstallPreference(factory.Create(kPreferenceTypeDefault));
  }
} g_registerRegistryStore;

}  // namespace

CPreference* GetPreference() { return PublishedPreference(); }

}  // namespace corvane
