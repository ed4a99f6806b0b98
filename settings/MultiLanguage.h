#pragma once
// The language manager: which packs are installed, which one is current,
// and the translation of single texts from whatever is on screen (English
// or the previous language) into the current language.
//
// It keeps the English pack inverted (English text -> key) and two
// key -> text tables: the current pack and the previous one, so texts still
// showing in the previous language can be recognised after a switch.
// The current language is the "Config" / "Language" setting, loaded when
// the manager is made (if the application object exists) and written back
// when it is destroyed (priority 95, before the store).
//
// UI thread only.
#include <string>
#include <vector>

#include "base/Singleton.h"
#include "settings/LanguageIconList.h"
#include "settings/LanguagePack.h"
#include "settings/PrefValues.h"

namespace corvane {

struct LanguageEntry {
  std::wstring name;
  int iconIndex = -1;  // in the icon list; -1 = none
};

class CMultiLanguage : public TSingleton<CMultiLanguage, kPriorityMultiLanguage> {
 public:
  static constexpr const wchar_t* kEnglish = L"English";

  struct SOptions {
    std::wstring languageFolder;     // ends with the separator
    CPreference* store = nullptr;    // null: the setting is neither loaded nor saved
    std::wstring defaultLanguage;    // the setting's default
  };

  // The process's manager: the program's language folder, the system
  // language as default, and the store when the application object exists.
  // It also becomes the foundation's text translator and keeps the folders'
  // current language name.
  CMultiLanguage();
  explicit CMultiLanguage(const SOptions& options);
  ~CMultiLanguage();
  CMultiLanguage(const CMultiLanguage&) = delete;
  CMultiLanguage& operator=(const CMultiLanguage&) = delete;

  // The text in the current language; unknown texts come back unchanged and
  // an empty text stays empty.
  std::wstring Translate(const std::wstring& text) const;

  // Makes `name` current. Not initial: nothing happens when it already is;
  // otherwise the current language becomes the previous one.
  void SelectLanguage(const std::wstring& name, bool initial);
  // An index outside the list selects entry 0, "English".
  void SelectLanguageByIndex(int index);
  int IndexOfLanguage(const std::wstring& name) const;
  bool IsCurrentLanguage(int index) const;
  const std::wstring& CurrentLanguageName() const { return m_setting.value; }
  const std::wstring& PreviousLanguageName() const { return m_previous; }

  // Rebuilds the language list (entry 0 is always "English") and the icons.
  void EnumerateLanguages();
  const std::vector<LanguageEntry>& Languages() const { return m_languages; }
  const CLanguageIconList& Icons() const { return m_icons; }

 private:
  void Construct();
  const TLanguageTable& CurrentTable() const { return m_tables[m_current]; }
  const TLanguageTable& PreviousTable() const { return m_tables[1 - m_current]; }

  std::wstring m_folder;
  CPreference* m_store = nullptr;
  bool m_isProcessManager = false;
  CLanguageIconList m_icons;
  std::vector<LanguageEntry> m_languages;
  std::wstring m_previous = kEnglish;
  TLanguageTable m_english;  // English text -> key
  TLanguageTable m_tables[2];  // key -> text
  int m_current = 0;
  PrefString m_setting{L"Config", L"Language", L""};
};

// The process manager's translation (the manager is made on first use).
std::wstring Translate(const std::wstring& text);

}  // namespace corvane
