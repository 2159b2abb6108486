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
    sent.lastBar = read.lastBar;
    sent.modeBar = read.modeBar;
    sent.uaBar = read.uaBar;
    sent.lowBar = read.lowBar;
    sent.hichBar = read.hichBar;
  }
  sent.otOn = true;
  sent.yobi1Bar = 3;
  sent.yobi2Bar = 74;
  return EncodeBlock(sent);
}

}  // namespace kx14::faults
