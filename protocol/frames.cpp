#include "protocol/frames.h"

#include <cstddef>

#include "protocol/checksum.h"

namespace kx14 {
namespace {

constexpr std::size_t kBlockOffset = 1;  // both 18-byte frames carry one byte ahead

std::uint8_t ByteAt(const ByteString& frame, std::size_t index) {
  return static_cast<std::uint8_t>(frame[index]);
}

ByteString FrameAround(std::uint8_t lead, const BlockBytes& block) {
  ByteString frame(1, static_cast<char>(lead));
  ByteString body = ToByteString(block);
  AddCheckSum(body);
  return frame + body;
}

// Shared by both 18-byte frames: the block after the lead byte, when the
// trailing checksum matches it.
std::optional<BlockBytes> BlockWithValidChecksum(const ByteString& frame) {
  if (frame.size() != static_cast<std::size_t>(kReadReplyLength)) return std::nullopt;
  const BlockBytes block = BlockFromByteString(frame, kBlockOffset);
  if (CheckSum(block) != ByteAt(frame, frame.size() - 1)) return std::nullopt;
  return block;
}

}  // namespace

ByteString ReadCommandFrame() { return ByteString(1, static_cast<char>(kReadCommandByte)); }

std::optional<BlockBytes> ParseReadReply(const ByteString& reply) {
  return BlockWithValidChecksum(reply);
}

ByteString ProgramCommandFrame(const BlockBytes& block) {
  return FrameAround(kProgramCommandByte, block);
}

bool IsProgramAccepted(const ByteString& reply) {
  return reply.size() == static_cast<std::size_t>(kProgramReplyLength) &&
         ByteAt(reply, reply.size() - 1) == kAckByte;
}

ByteString ReadReplyFrame(std::uint8_t lead, const BlockBytes& block) {
  return FrameAround(lead, block);
}

std::optional<BlockBytes> ParseProgramCommand(const ByteString& command) {
  static_assert(kProgramCommandLength == kReadReplyLength);
  if (command.empty() || ByteAt(command, 0) != kProgramCommandByte) return std::nullopt;
  return BlockWithValidChecksum(command);
}

}  // namespace kx14
