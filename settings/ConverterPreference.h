#pragma once
// The joiner's own settings: loaded from the store on first request and
// written back when destroyed at exit (priority 5000, before the store).
// Between those points they live only in memory.
#include <string>

#include "base/Singleton.h"
#include "settings/ColumnsInfo.h"
#include "settings/PrefValues.h"

namespace corvane {

class CDNPreferenceBase {
 public:
  // `store` is the store to load from and save to (the process's store for
  // the singleton); it must outlive this object.
  explicit CDNPreferenceBase(CPreference* store);
  virtual ~CDNPreferenceBase();
  CDNPreferenceBase(const CDNPreferenceBase&) = delete;
  CDNPreferenceBase& operator=(const CDNPreferenceBase&) = delete;

  // Writes the values back; false when any write failed.
  virtual bool Save();

  int32_t RunCount() const { return m_runCount.value; }
  int32_t BaseViewFlags() const { return m_baseViewFlags.value; }

 protected:
  CPreference* Store() const { return m_store; }
  // Set by the most derived destructor once it saved everything, so the
  // base destructor does not write its part a second time.
  bool m_savedAtExit = false;

 private:
  CPreference* m_store;
  PrefInt m_runCount{L"Config", L"RunCount", 0};
  PrefInt m_baseViewFlags{L"Settings", L"BaseViewFlags", 4096};
};

class CConverterPreference : public CDNPreferenceBase,
                             public TSingleton<CConverterPreference, kPriorityPreferenceBase> {
 public:
  static constexpr uint32_t kSysFlagNoNewVersionReminder = 0x2;

  CConverterPreference() : CConverterPreference(GetPreference()) {}
  explicit CConverterPreference(CPreference* store);
  ~CConverterPreference() override;

  bool Save() override;

  const std::wstring& OutputFolder() const { return m_outputFolder; }
  void SetOutputFolder(const std::wstring& folder) { m_outputFolder = folder; }
  const TColumnLayout& ColumnLayout() const { return m_columns; }
  TColumnLayout& ColumnLayout() { return m_columns; }
  // Bound to the new-version notice's check box (bit 0x2); written at exit.
  int32_t& SysFlags() { return m_sysFlags; }
  // The latest version the box was ticked for ("DismissedVersion"): the
  // notice stays away for that version only.
  const std::wstring& DismissedVersion() const { return m_dismissedVersion; }
  void SetDismissedVersion(const std::wstring& version) { m_dismissedVersion = version; }

 private:
  int32_t m_sysFlags = 0;
  std::wstring m_dismissedVersion;
  std::wstring m_outputFolder;
  TColumnLayout m_columns;
};

}  // namespace corvane
