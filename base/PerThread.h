#pragma once
// One object per thread, made on the thread's first use and kept until the
// program ends.
//
// Use this instead of a thread_local object whose destructor does work:
// some C++ runtimes (mingw-w64's) release a thread's storage before running
// its thread_local destructors, which then write into freed memory and
// corrupt the heap. Only a plain pointer is kept per thread here; the
// objects themselves belong to one process-wide list that is never torn
// down, so an object stays valid for the whole run, even for destructors of
// static objects at exit (an object made for a thread that has ended lives
// on, unused).
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace corvane {

// `make` returns a std::unique_ptr<T>; it is called once per thread.
template <class T, class Make>
T& PerThreadInstance(Make make) {
  thread_local T* current = nullptr;
  if (!current) {
    static std::mutex* ownersMutex = new std::mutex;
    static auto* owners = new std::vector<std::unique_ptr<T>>;
    std::unique_ptr<T> made = make();
    current = made.get();
    std::lock_guard<std::mutex> lock(*ownersMutex);
    owners->push_back(std::move(made));
  }
  return *current;
}

template <class T>
T& PerThreadInstance() {
  return PerThreadInstance<T>([] { return std::make_unique<T>(); });
}

}  // namespace corvane
