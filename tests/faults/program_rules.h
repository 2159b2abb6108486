#pragma once

// The block that a program operation must send, worked out from the rules
// rather than from the operation: the window's values as they stood before
// the press, the device's BUP, identifiers and five channel values when the
// preliminary read brought a valid reply, and the three fixed values
// (overtaking on, OT_TIME 3, MAXPWR position 74).

#include "base/byte_string.h"
#include "protocol/parameter_block.h"

namespace kx14::faults {

BlockBytes RuleProgramBlock(const BlockControls& before, const ByteString& preliminaryReply);

}  // namespace kx14::faults
