#include "settings/PrefValues.h"

namespace corvane {

void PrefInt::Load(CPreference* store) {
  if (store) value = store->GetInt(section.c_str(), key.c_str(), value);
}

bool PrefInt::Save(CPreference* store) const {
  return store && store->WriteInt(section.c_str(), key.c_str(), value);
}

void PrefString::Load(CPreference* store) {
  if (store) value = store->GetString(section.c_str(), key.c_str(), value.c_str());
}

bool PrefString::Save(CPreference* store) const {
  return store && store->WriteString(section.c_str(), key.c_str(), value.c_str());
}

}  // namespace corvane
