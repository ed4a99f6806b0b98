#include "base/http/HttpHeaderCache.h"

namespace Zorpa {

const std::wstring* CHttpHeaderCache::Lookup(std::wstring_view name, size_t index, const HeaderQueryFn& query) {
  if (!m_cache.Contains(name)) {
    for (unsigned occurrence = 0;; ++occurrence) {
      std::wstring value;
      if (query(name, occurrence, value) != EHeaderQuery::kFound) break;
      m_cache.Add(name, value);
    }
  }
  return m_cache.Value(name, index);
}

}  // namespace Zorpa
