// Quenby.dll: the installer plug-in with the one export CloseApp.
//
// Built from this one source in two flavours: 8-bit text for classic
// installers (the default) and UTF-16 text for Unicode installers
// (CORVANE_QUENBY_WIDE). The installer calls the export by name with the C
// calling convention and the plug-in parameters.
#include <windows.h>

#include "closer/AppCloser.h"
#include "closer/NsisStack.h"

namespace {

#ifdef CORVANE_QUENBY_WIDE
using QuenbyChar = wchar_t;
#else
using QuenbyChar = char;
#endif
using StackItem = corvane::TNsisStackItem<QuenbyChar>;

// What the installer handed over on the last call. Only the stack is used;
// the others are kept as a plug-in keeps them, for functions that may
// follow. Calls come on the installer's one thread.
int g_stringSize = 0;
QuenbyChar* g_variables = nullptr;
StackItem** g_stackTop = nullptr;

// The installer allocates stack items with GlobalAlloc.
void FreeStackItem(void* item) { GlobalFree(item); }

}  // namespace

// Pops the product word ("Join" for the joiner; empty when the stack is
// empty), closes that product's running main window and waits (see
// AppCloser.h: bounded; a window that stays is given up on). Pushes nothing:
// the installer learns nothing of the outcome.
extern "C" __declspec(dllexport) void __cdecl CloseApp(HWND /*owner*/, int stringSize, QuenbyChar* variables,
                                                        StackItem** stackTop, void* /*extra*/) {
  g_stringSize = stringSize;
  g_variables = variables;
  g_stackTop = stackTop;
  try {
    QuenbyChar product[corvane::kParameterBufferSize];
    corvane::PopParameter<QuenbyChar>(g_stackTop, g_stringSize, &FreeStackItem, product);
    corvane::CloseRunningApp(product);
  } catch (...) {
    // Nothing may cross into the installer; an allocation failure while
    // building the message name simply closes nothing.
  }
}
