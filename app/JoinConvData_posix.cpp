#include "app/JoinConvData.h"

namespace corvane {

// Natively there is no window system to reach a launcher through; the
// native host reports completion itself.
bool CJoinConvData::SendCompletionNotice() const { return false; }

}  // namespace corvane
