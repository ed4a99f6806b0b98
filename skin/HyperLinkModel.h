#pragma once
// What a link control knows and decides, apart from any window: its label,
// its target, whether it was visited, the colour it is drawn in, and what a
// click does. The link window (THyperLinkImpl) draws and forwards input.
#include <cstdint>
#include <functional>
#include <string>

namespace corvane {

// Colours in the system's 0x00BBGGRR order.
constexpr uint32_t kLinkColour = 0xFF0000;         // blue
constexpr uint32_t kVisitedLinkColour = 0x800080;  // purple

// What a click on a link asks its window to do.
enum class ELinkAction {
  kNothing,        // an opening link without a target
  kOpenTarget,     // the target was handed to the opener
  kNotifyParent,   // a dead link: the parent gets a command with the id
};

class CHyperLinkModel {
 public:
  // Opens a target with the shell; true when the shell took it.
  using TOpener = std::function<bool(const std::wstring& target)>;

  // opensTarget: false for a dead link, which only tells its parent.
  explicit CHyperLinkModel(bool opensTarget) : m_opensTarget(opensTarget) {}

  const std::wstring& Label() const { return m_label; }
  void SetLabel(const std::wstring& label) { m_label = label; }
  const std::wstring& Target() const { return m_target; }
  // Stores a copy of `target`; an empty text clears it.
  void SetTarget(const std::wstring& target) { m_target = target; }

  bool Visited() const { return m_visited; }
  void SetVisited(bool visited) { m_visited = visited; }
  uint32_t TextColour() const { return m_visited ? kVisitedLinkColour : kLinkColour; }
  bool OpensTarget() const { return m_opensTarget; }

  // A click or space/enter: a dead link asks for the parent's command; an
  // opening link with a target hands it to `open` and counts as visited
  // only when the opener took it; without a target nothing happens.
  ELinkAction Activate(const TOpener& open);

 private:
  bool m_opensTarget;
  bool m_visited = false;
  std::wstring m_label;
  std::wstring m_target;
};

}  // namespace corvane
