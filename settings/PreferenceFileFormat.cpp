#include "settings/PreferenceFileFormat.h"

#include <cstdint>
#include <sstream>

#include "base/TextConvert.h"

namespace corvane {
namespace {

const char kHex[] = "0123456789ABCDEF";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Escape(const std::wstring& text) {
  std::string out;
  for (unsigned char c : WideToUtf8(text)) {
    // ';' too: a name starting with it would make its line a comment.
    if (c < 0x20 || c == 0x7F || c == '%' || c == '=' || c == '[' || c == ']' || c == ';') {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::wstring Unescape(const std::string& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      int hi = HexDigit(text[i + 1]), lo = HexDigit(text[i + 2]);
      if (hi >= 0 && lo >= 0) {
        bytes += static_cast<char>(hi * 16 + lo);
        i += 2;
        continue;
      }
    }
    bytes += text[i];
  }
  return Utf8ToWide(bytes);
}

std::string HexBytes(const TByteVector& bytes) {
  std::string out;
  for (uint8_t b : bytes) {
    out += kHex[b >> 4];
    out += kHex[b & 15];
  }
  return out;
}

bool ParseHexBytes(const std::string& text, TByteVector& out) {
  if (text.size() % 2) return false;
  for (size_t i = 0; i < text.size(); i += 2) {
    int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<uint8_t>(hi * 16 + lo));
  }
  return true;
}

std::string FormatValue(const SPreferenceValue& value) {
  switch (value.type) {
    case EPreferenceValueType::kString:
      return "sz:" + Escape(DecodeStringValue(value.bytes));
    case EPreferenceValueType::kDword:
      return "dword:" + std::to_string(IntOrDefault(value.bytes, 0));
    case EPreferenceValueType::kBinary:
      break;
  }
  return "binary:" + HexBytes(value.bytes);
}

bool ParseDword(const std::string& text, int32_t& out) {
  if (text.empty() || text.size() > 11) return false;
  size_t used = 0;
  try {
    long long v = std::stoll(text, &used, 10);
    if (used != text.size() || v < INT32_MIN || v > UINT32_MAX) return false;
    out = static_cast<int32_t>(static_cast<uint32_t>(v));
    return true;
  } catch (...) {
    return false;
  }
}

bool ParseValue(const std::string& text, SPreferenceValue& value) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  const std::string type = text.substr(0, colon), body = text.substr(colon + 1);
  if (type == "sz") {
    value = {EPreferenceValueType::kString, EncodeStringValue(Unescape(body))};
    return true;
  }
  if (type == "dword") {
    int32_t v = 0;
    if (!ParseDword(body, v)) return false;
    value = {EPreferenceValueType::kDword, EncodeIntValue(v)};
    return true;
  }
  if (type == "binary") {
    value = {EPreferenceValueType::kBinary, {}};
    return ParseHexBytes(body, value.bytes);
  }
  return false;
}

}  // namespace

std::string FormatPreferenceFile(const CPreferenceTable& table) {
  std::string out = "; Corvane settings. Values: sz:text, dword:number, binary:hex bytes.\n";
  for (const auto& [section, values] : table.Sections()) {
    out += "[" + Escape(section) + "]\n";
    for (const auto& [key, value] : values) out += Escape(key) + "=" + FormatValue(value) + "\n";
  }
  return out;
}

CPreferenceTable ParsePreferenceFile(const std::string& text) {
  CPreferenceTable table;
  std::istringstream lines(text);
  std::string line;
  std::wstring section;
  bool inSection = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      const size_t close = line.find(']');
      inSection = close != std::string::npos;
      if (inSection) {
        section = Unescape(line.substr(1, close - 1));
        table.Sections()[section];  // an empty section still exists
      }
      continue;
    }
    const size_t eq = line.find('=');
    SPreferenceValue value;
    if (!inSection || eq == std::string::npos || !ParseValue(line.substr(eq + 1), value)) continue;
    table.Put(section.c_str(), Unescape(line.substr(0, eq)).c_str(), std::move(value));
  }
  return table;
}

}  // namespace corvane
