#include "closer/NsisStack.h"

#include <algorithm>

namespace corvane {
namespace {

// The fixed parts of the message name are ASCII, so widening is a plain copy.
template <class Char>
std::basic_string<Char> FromAscii(const char* ascii) {
  std::basic_string<Char> text;
  for (; *ascii; ++ascii) text += static_cast<Char>(*ascii);
  return text;
}

}  // namespace

template <class Char>
bool PopParameter(TNsisStackItem<Char>** stackTop, int stringSize, NsisItemFree freeItem,
                  Char (&buffer)[kParameterBufferSize]) {
  buffer[0] = Char(0);
  if (!stackTop || !*stackTop) return false;

  TNsisStackItem<Char>* item = *stackTop;
  // An item holds stringSize characters; its text need not be terminated
  // within them when the installer filled it to the brim.
  std::size_t limit = kParameterBufferSize - 1;
  if (stringSize > 0) limit = std::min(limit, static_cast<std::size_t>(stringSize));
  std::size_t length = 0;
  while (length < limit && item->text[length] != Char(0)) {
    buffer[length] = item->text[length];
    ++length;
  }
  buffer[length] = Char(0);

  *stackTop = item->next;
  if (freeItem) freeItem(item);
  return true;
}

template <class Char>
std::basic_string<Char> CloseMessageName(const Char* product) {
  std::basic_string<Char> name = FromAscii<Char>("UWM_");
  if (product) name += product;
  name += FromAscii<Char>("Download_IsMe");
  return name;
}

template bool PopParameter<char>(TNsisStackItem<char>**, int, NsisItemFree, char (&)[kParameterBufferSize]);
template bool PopParameter<wchar_t>(TNsisStackItem<wchar_t>**, int, NsisItemFree,
                                    wchar_t (&)[kParameterBufferSize]);
template std::string CloseMessageName<char>(const char*);
template std::wstring CloseMessageName<wchar_t>(const wchar_t*);

}  // namespace corvane
