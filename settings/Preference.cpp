#include "settings/Preference.h"

#include <memory>

namespace corvane {
namespace {

CPreference* g_store = nullptr;

void ForgetStore() { g_store = nullptr; }

}  // namespace

void InstallPreference(CPreference* store) {
  if (!store) return;
  g_store = store;
  RegisterDestructor(std::make_unique<TDestructor<CPreference>>(kPriorityPreference, store, &ForgetStore));
}

CPreference* PublishedPreference() { return g_store; }

}  // namespace corvane
