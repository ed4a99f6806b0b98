// Addresses from the hand-off record and from servers: split into parts and
// turned into a request (URL splitting), and escaped for the launcher's
// completion notice (EscapeUrl).
#include "base/EscapeUrl.h"
#include "base/http/UrlParts.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

namespace {

void CheckRange(const Zorpa::CUrlRange& range, size_t size) {
  FUZZ_CHECK(range.begin <= range.end && range.end <= size);
  if (!range.present) FUZZ_CHECK(range.Empty());
}

void CheckSplit(std::wstring_view url) {
  const Zorpa::CUrlParts parts = Zorpa::SplitUrl(url);
  for (const Zorpa::CUrlRange* range : {&parts.scheme, &parts.host, &parts.port, &parts.path, &parts.query,
                                        &parts.fragment}) {
    CheckRange(*range, url.size());
  }
  // The parts follow one another in the text.
  FUZZ_CHECK(parts.host.end <= parts.path.begin || !parts.path.present);
  if (parts.query.present) FUZZ_CHECK(url[parts.query.begin] == L'?');
  if (parts.fragment.present) FUZZ_CHECK(url[parts.fragment.begin] == L'#');

  for (bool useCache : {false, true}) {
    const std::optional<Zorpa::CRequestTarget> target = Zorpa::PrepareRequest(url, useCache);
    if (!target) continue;
    FUZZ_CHECK(!target->host.empty() && target->port <= 65535);
    FUZZ_CHECK(!target->objectName.empty() && target->objectName.size() <= url.size() + 1);
  }
}

void CheckEscape(std::string_view bytes) {
  size_t escapedBytes = 0;
  for (char c : bytes) escapedBytes += IsUrlEscapedByte(static_cast<unsigned char>(c)) ? 1 : 0;
  const size_t expectedSize = bytes.size() + 2 * escapedBytes;
  const std::string escaped = EscapeUrl(bytes);
  if (expectedSize + 1 > kEscapedUrlCapacity) {
    FUZZ_CHECK(escaped.empty());  // does not fit: nothing rather than a cut address
    return;
  }
  FUZZ_CHECK(escaped.size() == expectedSize);
  for (char c : escaped) FUZZ_CHECK(!IsUrlEscapedByte(static_cast<unsigned char>(c)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckSplit(fuzz::WideFromBytes(fuzz::AsText(data, size)));
  CheckEscape(fuzz::AsText(data, size));
  return 0;
}
