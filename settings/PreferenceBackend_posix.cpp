// The native build's preference store, registered as type 0 and made during
// static initialisation, as the registry store is on Windows.
#include "settings/FilePreference.h"
#include "settings/LookupFactory.h"

namespace corvane {
namespace {

struct SRegisterFileStore {
  SRegisterFileStore() {
    auto& factory = TLookupFactory<CPreference, EPreferenceType>::Instance();
    factory.Register(kPreferenceTypeDefault, [] { return static_cast<CPreference*>(new CFilePreference()); });
    InstallPreference(factory.Create(kPreferenceTypeDefault));
  }
} g_registerFileStore;

}  // namespace

CPreference* GetPreference() { return PublishedPreference(); }

}  // namespace corvane
