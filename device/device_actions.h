#pragma once

// What the storing commands do on an open session: program a level the way
// the window does, store a given block, and read back what was stored.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "files/block_difference.h"
#include "device/device_session.h"

namespace kx14::cli {

struct ProgramResult {
  std::optional<BlockBytes> before;         // the block the read found (none when forced)
  std::optional<THandicapPreset> oldLevel;  // the level that read chose
  BlockBytes sent{};                        // the block of the program frame
  bool forced = false;  // the read failed and --force sent the start state's block
};

// The window's Read, the user's choice of `level`, and its Program, on a
// fresh window. A failed read sends nothing (CliFailure, device status)
// unless `force`, which says so on `notes` before it sends. A store that is
// not acknowledged is a CliFailure too. A dry run sends no program frame:
// `sent` is the block it would have stored.
ProgramResult ProgramLevel(DeviceSession& session, THandicapPreset level, bool force,
                           std::ostream& notes, bool dryRun = false);

// Stores `block` as it is; CliFailure (device status) without the
// acknowledgement.
void StoreExactly(DeviceSession& session, const BlockBytes& block);

// Reads the block again and compares it with `sent`: CliFailure (device
// status) naming the differing fields, or saying that the read failed.
void VerifyStored(DeviceSession& session, const BlockBytes& sent);

// CliFailure (device status): the device gave no valid block; nothing sent.
[[noreturn]] void FailNoAnswer(const DeviceSession& session);

// The block read, or CliFailure (device status) when the device gave none.
BlockBytes ReadOrFail(DeviceSession& session);

}  // namespace kx14::cli
