#pragma once
// The string stack through which an NSIS installer hands parameters to a
// plug-in function, and the parameter handling of CloseApp.
//
// Portable: the platform's allocator is passed in, so the stack logic is
// tested natively. A template over the character type: classic installers
// use 8-bit text, Unicode installers UTF-16.
#include <cstddef>
#include <string>

namespace corvane {

// One item of the installer's string stack. The installer allocates each item
// with the platform's global allocator: the next item's pointer followed by
// room for the installer's string size in characters (zero-terminated text).
template <class Char>
struct TNsisStackItem {
  TNsisStackItem* next;
  Char text[1];
};

// CloseApp holds its parameter in a buffer of this many characters; longer
// text is cut to one less.
constexpr std::size_t kParameterBufferSize = 260;

// Releases a popped item (GlobalFree in the plug-in).
using NsisItemFree = void (*)(void* item);

// Pops the top item's text into buffer (always zero-terminated, at most
// kParameterBufferSize - 1 characters; never reads past the item's
// stringSize characters when stringSize is positive), makes the next item
// the top and frees the popped one. With no stack or an empty stack the
// buffer is left empty and false is returned.
template <class Char>
bool PopParameter(TNsisStackItem<Char>** stackTop, int stringSize, NsisItemFree freeItem,
                  Char (&buffer)[kParameterBufferSize]);

// "UWM_" + product + "Download_IsMe": the registered message that the
// product's main window answers ("UWM_JoinDownload_IsMe" for "Join").
template <class Char>
std::basic_string<Char> CloseMessageName(const Char* product);

}  // namespace corvane
