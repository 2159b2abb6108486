#pragma once

// The simulated device's side of the wire, without any I/O: it takes the
// bytes that arrive from the host and gives back the replies to send and the
// frame events to log. The caller supplies the time, so the handler is
// deterministic and tested with a fake clock.
//
// Like the device, it echoes each command byte for byte and then answers:
//   E5                  -> E5, block, checksum                         (18 bytes)
//   F5, block, checksum -> the 18 bytes, then 06 (block stored)         (19 bytes)
//                          or 15 when the checksum is wrong (nothing stored)
// Bytes that start no command are dropped until the next E5 or F5. A program
// frame still incomplete kFrameTimeout after its F5 is dropped, so a host that
// gave up half way cannot swallow the next command as block bytes for long.

#include <chrono>
#include <random>
#include <string_view>
#include <vector>

#include "base/byte_string.h"
#include "protocol/parameter_block.h"
#include "tools/devsim/behaviour.h"

namespace kx14::devsim {

using Clock = std::chrono::steady_clock;

// The block of the worked example: BUP 5A, YOURID 1, MYID 2, flags 0,
// channels 0, OT_MAX 5, OT_TIME 3, MAXPWR byte 0x51.
inline constexpr BlockBytes kWorkedExampleBlock = {0x5A, 0x00, 0x00, 0x01, 0x00, 0x00, 0x02, 0x00,
                                                   0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x03, 0x51};

inline constexpr char kNakByte = 0x15;
inline constexpr std::chrono::milliseconds kFrameTimeout{500};

struct FrameEvent {
  enum class Kind {
    kReceived,  // a complete command frame from the host        (log "rx")
    kSent,      // a reply as it will go out, faults applied     (log "tx")
    kStored,    // the block the device now holds                (log "stored")
    kDropped,   // bytes that start no command                   (log "drop")
    kExpired,   // an incomplete program frame given up          (log "expired")
  };
  Kind kind;
  ByteString bytes;
  friend bool operator==(const FrameEvent&, const FrameEvent&) = default;
};

struct Reply {
  ByteString bytes;
  std::chrono::milliseconds delay{0};  // from the moment the command was complete
  friend bool operator==(const Reply&, const Reply&) = default;
};

struct ResponderOutput {
  std::vector<Reply> replies;
  std::vector<FrameEvent> events;  // in the order they happened
};

class DeviceResponder {
 public:
  explicit DeviceResponder(const BlockBytes& block = kWorkedExampleBlock,
                           const Behaviour& behaviour = {});

  // Handles bytes from the host that arrived at `now`. An incomplete program
  // frame that has already expired is dropped first.
  ResponderOutput Receive(std::string_view bytes, Clock::time_point now);

  // Drops an incomplete program frame whose time is up at `now`.
  ResponderOutput Expire(Clock::time_point now);
  // When the incomplete program frame expires, if there is one.
  std::optional<Clock::time_point> ExpiryDeadline() const;

  const BlockBytes& Block() const { return block_; }
  void SetBlock(const BlockBytes& block) { block_ = block; }
  const Behaviour& GetBehaviour() const { return behaviour_; }
  // Reseeds the random faults when behaviour.seed differs from the seed in
  // use, so changing only the faults keeps the random sequence going.
  void SetBehaviour(const Behaviour& behaviour);

 private:
  void ExpireInto(Clock::time_point now, ResponderOutput& out);
  void FlushDropped(ResponderOutput& out);
  void AnswerRead(ResponderOutput& out);
  void AnswerProgram(ResponderOutput& out);
  Faults FaultsForNextReply(bool isRead);
  void SendReply(ByteString reply, const Faults& faults, ResponderOutput& out);
  // Overwrites the reply's first `echoLength` bytes with random ones.
  void ReplaceEcho(ByteString& reply, std::size_t echoLength);

  BlockBytes block_;
  Behaviour behaviour_;
  std::mt19937 random_;
  ByteString frame_;  // an incomplete program frame, F5 first
  Clock::time_point frameStarted_{};
  ByteString dropped_;  // bytes that started no command, not yet logged
};

}  // namespace kx14::devsim
