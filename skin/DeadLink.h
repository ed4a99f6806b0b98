#pragma once
// A link that never opens anything itself (Windows only: include from
// _win.cpp files): a click, or space or enter while it has the focus,
// sends its parent WM_COMMAND with the control's id, and the dialog decides
// what to do. A target may be set; it only shows in the tool tip.
#include "skin/HyperLinkImpl.h"

namespace corvane {

class CDeadLink : public THyperLinkImpl<CDeadLink> {
 public:
  static constexpr bool kOpensTarget = false;
};

}  // namespace corvane
