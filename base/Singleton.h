#pragma once
// Process-wide objects and the order in which they go away.
//
// Every singleton registers one destruction record with a priority when it
// comes into being. At process exit the records are sorted by priority,
// largest first, keeping registration order among equals, and each destroys
// its instance. Objects that write settings at exit therefore carry a higher
// priority than the preference store they write to.
//
// Not synchronised: singletons are made and destroyed on the UI thread.
#include <memory>

namespace corvane {

// Destruction priorities of the programs' singletons (destroyed from the top down).
enum ESingletonPriority : int {
  kPriorityCommandImageList = 30001,
  kPrioritySBDlgManager = 5011,
  kPriorityAppIconInfo = 5003,
  kPriorityPreferenceBase = 5000,
  kPriorityJoinConvData = 4003,
  kPrioritySingleAppInfo = 3002,
  kPriorityOneInstance = 201,
  kPrioritySubclassWndManager = 200,
  kPriorityAppCommonPath = 178,
  kPriorityUpdateUIMap = 99,
  kPriorityFrameSkinManager = 97,
  kPriorityMultiLanguage = 95,
  kPriorityLookupFactory = 81,
  kPriorityPreference = 80,
  kPriorityWinApp = 50,
  kPrioritySettingChangeNotify = 29,
  kPriorityShellMalloc = 13,
  kPriorityWinModule = 8,
  kPriorityLogHTML = 6,
  kPriorityBasicSysInfo = 5,
};

// One destruction record: a priority and the instance it destroys.
class CDestructor {
 public:
  explicit CDestructor(int priority) : m_priority(priority) {}
  virtual ~CDestructor() = default;
  CDestructor(const CDestructor&) = delete;
  CDestructor& operator=(const CDestructor&) = delete;

  int Priority() const { return m_priority; }
  virtual void DestroyInstance() = 0;

 private:
  int m_priority;
};

// Deletes a heap instance and runs an optional hook (used to clear the
// singleton's published pointer).
template <class T>
class TDestructor : public CDestructor {
 public:
  TDestructor(int priority, T* instance, void (*onDestroyed)() = nullptr)
      : CDestructor(priority), m_instance(instance), m_onDestroyed(onDestroyed) {}
  void DestroyInstance() override {
    if (m_onDestroyed) m_onDestroyed();
    delete m_instance;
    m_instance = nullptr;
  }

 private:
  T* m_instance;
  void (*m_onDestroyed)();
};

// Appends a record to the global registry.
void RegisterDestructor(std::unique_ptr<CDestructor> record);

// Destroys every registered instance in priority order and empties the
// registry. The programs run it as their entry returns (CSingletonTeardown);
// the registry's static destructor runs it for whatever is left; tests call
// it directly.
// Records registered while this runs (an object made during tear-down) are
// destroyed too, after the ones already sorted.
void DestroyRegisteredSingletons();

// Number of records waiting (for tests).
size_t RegisteredSingletonCount();

// Destroys the singletons when the program's entry returns, while every
// static object of the program is still alive. Left to the registry's own
// static destructor, the tear-down would run after function-local statics
// made later than the registry (the settings' registry root among them) were
// already gone, and settings written at exit would read destroyed objects.
// One of these stands first in each program's entry.
class CSingletonTeardown {
 public:
  CSingletonTeardown() = default;
  ~CSingletonTeardown() { DestroyRegisteredSingletons(); }
  CSingletonTeardown(const CSingletonTeardown&) = delete;
  CSingletonTeardown& operator=(const CSingletonTeardown&) = delete;
};

// A singleton made on first request and kept until exit.
template <class T, int Priority>
class TSingleton {
 public:
  static T& Instance() {
    if (!s_instance) {
      s_instance = new T();
      RegisterDestructor(std::make_unique<TDestructor<T>>(Priority, s_instance, &Forget));
    }
    return *s_instance;
  }
  static bool IsMade() { return s_instance != nullptr; }

 private:
  static void Forget() { s_instance = nullptr; }
  static inline T* s_instance = nullptr;
};

// A singleton made elsewhere (by a static initialiser, with new): its
// constructor publishes the global pointer and registers its destruction.
template <class T, int Priority>
class TSingleton2 {
 public:
  static T* Instance() { return s_instance; }

 protected:
  TSingleton2() {
    s_instance = static_cast<T*>(this);
    RegisterDestructor(std::make_unique<TDestructor<T>>(Priority, s_instance, &Forget));
  }
  ~TSingleton2() { s_instance = nullptr; }

 private:
  static void Forget() {}
  static inline T* s_instance = nullptr;
};

}  // namespace corvane
