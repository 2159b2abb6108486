#pragma once

// How the simulated device misbehaves. Faults combine; each is applied to
// every reply while it is set.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/parameter_block.h"

namespace kx14::devsim {

struct Faults {
  bool silent = false;       // the device is deaf: no echo, no answer, nothing stored
  bool shortReply = false;   // the reply's last byte is missing
  bool longReply = false;    // one extra byte (0x00) follows the reply
  bool badChecksum = false;  // read replies carry checksum + 1
  bool refuse = false;       // program commands are answered 0x15 and not stored
  bool noise = false;        // garbage bytes (kNoiseBytes) go out ahead of the reply
  // The reply's leading bytes (as many as the command has) are random bytes
  // instead of the command's echo: a device on a line that does not echo.
  bool noEcho = false;
  // Program commands are acknowledged 06, but the block stored differs from
  // the one sent in byte kWrongStoreIndex: only a read-back can tell.
  bool wrongStore = false;
  friend bool operator==(const Faults&, const Faults&) = default;
};

struct Behaviour {
  Faults faults;
  std::chrono::milliseconds delay{0};  // wait before the reply goes out
  // Probability that a reply suffers one fault drawn at random (on top of
  // `faults`); the draws come from a generator seeded with `seed`, so a run
  // can be repeated.
  double failRate = 0.0;
  std::uint32_t seed = 1;
  friend bool operator==(const Behaviour&, const Behaviour&) = default;
};

inline constexpr std::string_view kNoiseBytes{"\x00\xFF\x55", 3};
inline constexpr char kLongReplyExtraByte = '\x00';
// The byte that a wrong store changes (MAXPWR, the last of the block), and
// how: its lowest bit flipped, so every sent value gives a different one.
inline constexpr std::size_t kWrongStoreIndex = block_offset::kMaxPwr;
inline constexpr std::uint8_t kWrongStoreFlip = 0x01;

// Fault names as options and control commands spell them: "silent", "short",
// "long", "bad-checksum", "refuse", "noise", "no-echo", "wrong-store".
bool SetFaultByName(Faults& faults, std::string_view name);
// The set faults' names joined by ",", or "normal" when none is set.
std::string FaultNames(const Faults& faults);

}  // namespace kx14::devsim
