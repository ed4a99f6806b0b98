#include "base/WindowClass.h"

namespace corvane {

bool RegisterWindowClassOnce(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXW type = {};
  type.cbSize = sizeof type;
  const HINSTANCE module = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(module, name, &type)) return true;
  type.lpfnWndProc = procedure;
  type.hInstance = module;
  type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  type.hbrBackground = background;
  type.lpszClassName = name;
  return RegisterClassExW(&type) != 0;
}

}  // namespace corvane
