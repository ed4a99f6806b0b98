#pragma once
// A link that opens its target with the shell's default handler when
// clicked, and is drawn in the visited colour afterwards (Windows only:
// include from _win.cpp files). Without a target it looks the same and a
// click does nothing.
#include "skin/HyperLinkImpl.h"

namespace corvane {

class CF3dHyperLink : public THyperLinkImpl<CF3dHyperLink> {
 public:
  static constexpr bool kOpensTarget = true;
};

}  // namespace corvane
