#pragma once
// The response's cache of header values.
//
// On the first lookup of a name every occurrence is fetched through the
// given query (occurrence 0, 1, ... until the platform reports "not found")
// and kept. A header that is not present is not remembered, so the next
// lookup asks the platform again.
#include <functional>
#include <string>
#include <string_view>

#include "base/http/HttpClientMap.h"

namespace Zorpa {

enum class EHeaderQuery { kFound, kNotFound };

// Fetches one occurrence of a header into `value`; raises
// httpclientexceptionA(400) on a platform failure.
using HeaderQueryFn = std::function<EHeaderQuery(std::wstring_view name, unsigned occurrence, std::wstring& value)>;

class CHttpHeaderCache {
 public:
  const std::wstring* Lookup(std::wstring_view name, size_t index, const HeaderQueryFn& query);
  void Clear() { m_cache.Clear(); }

 private:
  CHttpClientMap m_cache;
};

}  // namespace Zorpa
