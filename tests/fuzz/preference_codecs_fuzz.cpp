// Stored preference values as they come back from the registry (or the
// native file store), whatever another program or a damaged profile left
// there: "ColumnsInfo", the window placements, and texts and integers read
// from values of any type.
#include <cstring>

#include "settings/ColumnsInfo.h"
#include "settings/PreferenceValue.h"
#include "settings/WindowPlacementValue.h"
#include "tests/fuzz/FuzzInput.h"

using namespace corvane;

namespace {

void CheckColumnsInfo(const TByteVector& bytes) {
  TColumnLayout layout{SColumnInfo{7, 7, 7}};
  const TColumnLayout before = layout;
  if (!DecodeColumnsInfo(bytes, layout)) {
    FUZZ_CHECK(layout == before);
    return;
  }
  // What was read is what the value held: encoding gives its bytes back
  // (bytes after the announced records are ignored).
  const TByteVector encoded = EncodeColumnsInfo(layout);
  FUZZ_CHECK(encoded.size() <= bytes.size());
  FUZZ_CHECK(std::equal(encoded.begin(), encoded.end(), bytes.begin()));
}

void CheckPlacement(const TByteVector& bytes) {
  SWindowPlacementValue placement;
  placement.left = 12345;
  if (!DecodeWindowPlacement(bytes, placement)) {
    FUZZ_CHECK(bytes.size() != SWindowPlacementValue::kSize && placement.left == 12345);
    return;
  }
  FUZZ_CHECK(EncodeWindowPlacement(placement) == bytes);
}

void CheckTypedValues(const TByteVector& bytes) {
  // A text read from any bytes is stored and read back as the same text.
  const std::wstring text = DecodeStringValue(bytes);
  FUZZ_CHECK(text.size() <= bytes.size() / 2);
  FUZZ_CHECK(DecodeStringValue(EncodeStringValue(text)) == text);
  const std::wstring read = StringOrDefault(bytes, L"fallback");
  FUZZ_CHECK(text.empty() ? read == L"fallback" : read == text);

  const int32_t number = IntOrDefault(bytes, -7);
  if (bytes.size() > 4) {
    FUZZ_CHECK(number == -7);
  } else {
    // The bytes fill the integer from its low end.
    const TByteVector stored = EncodeIntValue(number);
    FUZZ_CHECK(std::equal(bytes.begin(), bytes.end(), stored.begin()));
    for (size_t i = bytes.size(); i < 4; ++i) FUZZ_CHECK(stored[i] == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TByteVector bytes(data, data + size);
  CheckColumnsInfo(bytes);
  CheckPlacement(bytes);
  CheckTypedValues(bytes);
  return 0;
}
