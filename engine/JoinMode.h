#pragma once
// The steps of a join, as kept by the join controller.

namespace corvane {

enum EJoinMode : int {
  kJoinIdle = 0,
  kJoinFastRoute = 1,      // the stream-copy route runs synchronously
  kJoinProbing = 2,        // the controller probes the next input
  kJoinToMpeg = 3,         // one input is being converted to an MPEG stream
  kJoinByteCopy = 4,       // the MPEG streams are being concatenated
  kJoinFinalAvi = 5,
  kJoinFinalFlv = 6,
  kJoinFinalRm = 7,
  kJoinFinalWmv = 8,
  kJoinMp4Pass1 = 9,
  kJoinMp4Pass2 = 10,
};

}  // namespace corvane
