#include "program_rules.h"

#include <optional>

#include "protocol/frames.h"

namespace kx14::faults {

BlockBytes RuleProgramBlock(const BlockControls& before, const ByteString& preliminaryReply) {
  BlockControls sent = before;
  if (const std::optional<BlockBytes> device = ParseReadReply(preliminaryReply)) {
    const BlockControls read = DecodeBlock(*device);
    sent.bup5Ah = read.bup5Ah;
    sent.yourId = read.yourId;
    sent.myId = read.myId;
    sent.lastCh = read.lastCh;
    sent.mode = read.mode;
    sent.lowCh = read.lowCh;
    sent.highCh = read.highCh;
    sent.stAdj = read.stAdj;
  }
  sent.overtake = true;
  sent.otTime = 3;
  sent.maxPwr = 74;
  return EncodeBlock(sent);
}

}  // namespace kx14::faults
