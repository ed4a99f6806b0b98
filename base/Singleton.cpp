#include "base/Singleton.h"

#include <algorithm>
#include <vector>

namespace corvane {
namespace {

// The registry lives in a function-local static: it is built by the first
// registration (during static initialisation at the latest) and its
// destructor runs at process exit, after the entry has returned.
struct SRegistry {
  std::vector<std::unique_ptr<CDestructor>> records;
  ~SRegistry() { DestroyAll(); }

  void DestroyAll() {
    while (!records.empty()) {
      std::vector<std::unique_ptr<CDestructor>> batch;
      batch.swap(records);
      std::stable_sort(batch.begin(), batch.end(), [](const auto& a, const auto& b) {
        return a->Priority() > b->Priority();
      });
      for (auto& record : batch) record->DestroyInstance();
    }
  }
};

SRegistry& Registry() {
  static SRegistry registry;
  return registry;
}

}  // namespace

void RegisterDestructor(std::unique_ptr<CDestructor> record) {
  Registry().records.push_back(std::move(record));
}

void DestroyRegisteredSingletons() { Registry().DestroyAll(); }

size_t RegisteredSingletonCount() { return Registry().records.size(); }

}  // namespace corvane
