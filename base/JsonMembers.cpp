#include "base/JsonMembers.h"

#include <algorithm>

#include "base/TextConvert.h"

namespace corvane {
namespace {

std::wstring WideText(const boost::json::string& text) {
  return Utf8ToWide(std::string_view(text.data(), text.size()));
}

}  // namespace

std::optional<boost::json::object> ParseHashQuotedObject(std::wstring_view text) {
  std::string json = WideToUtf8(text);
  std::replace(json.begin(), json.end(), '#', '"');
  boost::json::error_code error;
  boost::json::value root = boost::json::parse(json, error);
  if (error || !root.is_object()) return std::nullopt;
  return std::move(root.get_object());
}

std::wstring HashQuotedText(std::string_view compactJson) {
  std::string text;
  text.reserve(compactJson.size());
  for (char c : compactJson) {
    if (c == '#') {
      text += "\\u0023";
    } else {
      text += c == '"' ? '#' : c;
    }
  }
  return Utf8ToWide(text);
}

std::wstring JsonStringMember(const boost::json::object& object, const char* key) {
  const boost::json::value* value = object.if_contains(key);
  if (!value || !value->is_string()) return {};
  return WideText(value->get_string());
}

std::vector<std::wstring> JsonStringArrayMember(const boost::json::object& object, const char* key) {
  std::vector<std::wstring> items;
  const boost::json::value* value = object.if_contains(key);
  if (!value || !value->is_array()) return items;
  for (const boost::json::value& item : value->get_array()) {
    if (item.is_string()) items.push_back(WideText(item.get_string()));
  }
  return items;
}

}  // namespace corvane
