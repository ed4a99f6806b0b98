#include "skin/HyperLinkModel.h"

namespace corvane {

ELinkAction CHyperLinkModel::Activate(const TOpener& open) {
  if (!m_opensTarget) return ELinkAction::kNotifyParent;
  if (m_target.empty() || !open) return ELinkAction::kNothing;
  // A copy: the opener may run a message loop that changes the target.
  const std::wstring target = m_target;
  if (!open(target)) return ELinkAction::kNothing;
  m_visited = true;
  return ELinkAction::kOpenTarget;
}

}  // namespace corvane
