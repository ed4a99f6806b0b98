#include "settings/ConverterPreference.h"

namespace corvane {

CDNPreferenceBase::CDNPreferenceBase(CPreference* store) : m_store(store) {
  m_runCount.Load(m_store);
  m_baseViewFlags.Load(m_store);
}

CDNPreferenceBase::~CDNPreferenceBase() {
  if (!m_savedAtExit) CDNPreferenceBase::Save();
}

bool CDNPreferenceBase::Save() {
  const bool runCount = m_runCount.Save(m_store);
  const bool viewFlags = m_baseViewFlags.Save(m_store);
  return runCount && viewFlags;
}

CConverterPreference::CConverterPreference(CPreference* store) : CDNPreferenceBase(store) {
  if (!store) {
    m_outputFolder = L"c:\\VideoOutput";
    return;
  }
  m_sysFlags = store->GetInt(L"Config", L"SysFlags", 0);
  m_dismissedVersion = store->GetString(L"Config", L"DismissedVersion", L"");
  m_outputFolder = store->GetString(L"Config", L"SaveTo", L"c:\\VideoOutput");
  TByteVector columns;
  // A damaged value is rejected as a whole: the list keeps its built-in
  // columns rather than zero-width ones.
  if (store->GetBinary(L"Downloaded", L"ColumnsInfo", columns) && !columns.empty())
    DecodeColumnsInfo(columns, m_columns);
}

CConverterPreference::~CConverterPreference() {
  Save();
  m_savedAtExit = true;
}

bool CConverterPreference::Save() {
  const bool base = CDNPreferenceBase::Save();
  CPreference* store = Store();
  if (!store) return false;
  // "Don't remind me again" of the new-version notice lives in SysFlags: it
  // is written back so the choice outlasts the run it was made in.
  const bool flags = store->WriteInt(L"Config", L"SysFlags", m_sysFlags) &&
                     store->WriteString(L"Config", L"DismissedVersion", m_dismissedVersion.c_str());
  const bool folder = store->WriteString(L"Config", L"SaveTo", m_outputFolder.c_str());
  const bool columns = store->WriteBinary(L"Downloaded", L"ColumnsInfo", EncodeColumnsInfo(m_columns));
  return base && flags && folder && columns;
}

}  // namespace corvane
