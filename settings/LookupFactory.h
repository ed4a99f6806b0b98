#pragma once
// A map from a type number to a creator of objects of a common base.
// The preference store registers its only backend, type 0, from a static
// initialiser and creates the store at once.
#include <functional>
#include <map>

#include "base/Singleton.h"

namespace corvane {

template <class TBase, class TKey>
class TLookupFactory : public TSingleton<TLookupFactory<TBase, TKey>, kPriorityLookupFactory> {
 public:
  using TCreator = std::function<TBase*()>;

  // A later registration of the same type replaces the earlier one.
  void Register(TKey type, TCreator creator) { m_creators[type] = std::move(creator); }
  bool IsRegistered(TKey type) const { return m_creators.count(type) != 0; }
  // Returns a new object the caller owns, or null for an unknown type.
  TBase* Create(TKey type) const {
    auto it = m_creators.find(type);
    return it == m_creators.end() ? nullptr : it->second();
  }

 private:
  std::map<TKey, TCreator> m_creators;
};

}  // namespace corvane
