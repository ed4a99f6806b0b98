#include <time.h>

#include "base/F3DDateTime.h"

namespace corvane {

bool ToLocalTime(std::time_t seconds, std::tm& local) {
  return localtime_r(&seconds, &local) != nullptr;
}

}  // namespace corvane
