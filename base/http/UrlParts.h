#pragma once
// Splitting a URL into index ranges and turning it into what one GET request
// needs (host, port, secure flag, object name, request flags).
//
// The split makes no copies: every part is a [begin, end) range of the text
// that was split. A part that does not occur is empty and not present.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace Zorpa {

struct CUrlRange {
  size_t begin = 0;
  size_t end = 0;
  bool present = false;

  size_t Size() const { return end - begin; }
  bool Empty() const { return begin == end; }
  std::wstring_view Of(std::wstring_view url) const { return url.substr(begin, end - begin); }
};

struct CUrlParts {
  CUrlRange scheme;    // text before the first "://"
  CUrlRange host;      // start of the authority up to ":" or its end
  CUrlRange port;      // after the first ":" inside the authority
  CUrlRange path;      // from the end of the authority to "?" or "#"
  CUrlRange query;     // from "?" (included) to "#"
  CUrlRange fragment;  // from "#" (included) to the end
};

CUrlParts SplitUrl(std::wstring_view url);

// WinINet request flags used by Get.
constexpr uint32_t kFlagsUseCache = 0x00400E00;   // keep-connection, resync, hyperlink, no UI
constexpr uint32_t kFlagsNoCache = 0x84400B00;    // reload, no cache write, keep-connection, resync, no UI, pragma no-cache
constexpr uint32_t kFlagSecure = 0x00800000;
constexpr uint32_t kFlagPragmaNoCache = 0x00000100;

// True when the scheme is exactly "https" in any mix of case.
bool IsSecureScheme(std::wstring_view scheme);

// The port of a request: the default (80, or 443 when secure) unless the URL
// carries a port text. A port text must be 1 to 5 decimal digits with a value
// up to 65535; anything else gives no port. An empty text keeps the default.
std::optional<unsigned> ResolvePort(std::wstring_view portText, bool secure);

// The object name asked for: path, query and fragment as they stand; "/" plus
// the rest when the path is empty; "/" when nothing follows the authority.
std::wstring ObjectName(std::wstring_view url, const CUrlParts& parts);

// Everything Get needs to know about a URL before it touches the network.
struct CRequestTarget {
  std::wstring host;
  unsigned port = 80;
  bool secure = false;
  std::wstring objectName;
  uint32_t flags = 0;
};

// No target for an empty host or a bad port.
std::optional<CRequestTarget> PrepareRequest(std::wstring_view url, bool useCache);

}  // namespace Zorpa
