#pragma once
// The application object's base: one per program, made by a static
// initialiser, reachable through CWinApp::Instance() until it is destroyed
// with the other singletons at exit.
#include <string>

#include "base/Singleton.h"

namespace corvane {

class CWinApp : public TSingleton2<CWinApp, kPriorityWinApp> {
 public:
  virtual ~CWinApp() = default;
  // Returns false to end the program at once with exit code 0.
  virtual bool InitInstance() { return true; }
  virtual void ExitInstance() {}
  // Text that another program forwarded to the running copy.
  virtual bool OnForwardedCommandLine(const std::wstring& /*text*/) { return true; }
  // Runs the program's user interface; returns the exit code.
  virtual int Run(int showCommand) = 0;

  // The registry path of the settings is built from these two words.
  const std::wstring& CompanyWord() const { return m_companyWord; }
  const std::wstring& ApplicationWord() const { return m_applicationWord; }
  // 1: settings live in the current user's hive; 0: the machine's.
  int PerUser() const { return m_perUser; }

 protected:
  CWinApp() = default;
  void SetCompanyWord(const std::wstring& word) { m_companyWord = word; }
  void SetApplicationWord(const std::wstring& word) { m_applicationWord = word; }
  void SetPerUser(int perUser) { m_perUser = perUser; }

 private:
  std::wstring m_companyWord;
  std::wstring m_applicationWord;
  int m_perUser = 1;
};

}  // namespace corvane
