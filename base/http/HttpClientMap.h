#pragma once
// Name/value map of HTTP headers: names compared without regard to case,
// several values per name, values of one name kept in insertion order.
#include <string>
#include <string_view>
#include <vector>

namespace Zorpa {

class CHttpClientMap {
 public:
  void Add(std::wstring_view name, std::wstring_view value);
  // The index-th value (from 0) of `name`, or null when there is none.
  const std::wstring* Value(std::wstring_view name, size_t index) const;
  size_t Count(std::wstring_view name) const;
  bool Contains(std::wstring_view name) const { return Count(name) > 0; }
  bool Empty() const { return m_entries.empty(); }
  void Clear() { m_entries.clear(); }

 private:
  struct SEntry {
    std::wstring name;
    std::vector<std::wstring> values;
  };
  const SEntry* Find(std::wstring_view name) const;

  std::vector<SEntry> m_entries;
};

bool EqualNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace Zorpa
