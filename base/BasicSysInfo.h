#pragma once
// The operating-system version and the common-controls library's version,
// read once; other parts choose visual styles from them.
#include "base/Singleton.h"

namespace corvane {

struct SVersionPair {
  unsigned major = 0;
  unsigned minor = 0;
};

class CBasicSysInfo : public TSingleton<CBasicSysInfo, kPriorityBasicSysInfo> {
 public:
  CBasicSysInfo();

  const SVersionPair& SystemVersion() const { return m_system; }
  unsigned SystemBuild() const { return m_build; }
  // From the library's "DllGetVersion" export; 4.0 when it has none.
  const SVersionPair& CommonControlsVersion() const { return m_commonControls; }
  bool HasCommonControls6() const { return m_commonControls.major >= 6; }

 private:
  SVersionPair m_system;
  unsigned m_build = 0;
  SVersionPair m_commonControls{4, 0};
};

}  // namespace corvane
