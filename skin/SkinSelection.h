#pragma once
// Which installed skin is in use, and what a request to load one has to do.
// The skin manager owns one; the Windows half lists the folders, reads the
// documents and applies the watermark.
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum class ESkinLoadStep {
  kReapplyWatermark,  // the current skin again, not forced: only the rebar watermark
  kNoSkin,            // definitions and watermark freed, no skin in use
  kReadSkin,          // definitions and watermark freed; read Current()'s skin.xml
};

class CSkinSelection {
 public:
  // Names of the folders under skins\ that hold a skin.xml.
  explicit CSkinSelection(std::vector<std::wstring> installed) : m_installed(std::move(installed)) {}

  const std::vector<std::wstring>& Installed() const { return m_installed; }
  // Empty while no skin is in use.
  const std::wstring& Current() const { return m_current; }

  // An empty name, or one not installed (compared without regard to case),
  // selects no skin.
  ESkinLoadStep Load(std::wstring_view name, bool force);
  // The current skin's document could not be read: no skin is in use.
  void DocumentFailed() { m_current.clear(); }

 private:
  bool IsInstalled(std::wstring_view name) const;

  std::vector<std::wstring> m_installed;
  std::wstring m_current;
};

// program folder + "skins\" + name + "\"; the program folder ends in a
// backslash.
std::wstring SkinFolder(std::wstring_view programFolder, std::wstring_view name);

}  // namespace corvane
