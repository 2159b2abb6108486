#include "fuzz/properties/frame_properties.h"

#include <algorithm>
#include <string>

#include "fuzz/properties/fuzz_input.h"
#include "protocol/checksum.h"
#include "protocol/frames.h"
#include "protocol/parameter_block.h"

namespace kx14::fuzz {
namespace {

constexpr std::size_t kBlockSize = 16;

std::uint8_t ByteAt(std::string_view bytes, std::size_t index) {
  return static_cast<std::uint8_t>(bytes[index]);
}

// Sum of the bytes modulo 256, computed apart from the code under test.
std::uint8_t ReferenceSum(std::string_view bytes) {
  unsigned sum = 0;
  for (char c : bytes) sum += static_cast<unsigned char>(c);
  return static_cast<std::uint8_t>(sum % 256);
}

BlockBytes BlockOf(std::string_view sixteenBytes) {
  BlockBytes block{};
  std::copy_n(sixteenBytes.begin(), std::min(sixteenBytes.size(), kBlockSize), block.begin());
  return block;
}

std::string Show(const BlockControls& c) {
  return "{bup5Ah " + std::to_string(c.bup5Ah) + ", yourId " + std::to_string(c.yourId) +
         ", myId " + std::to_string(c.myId) + ", masterF " + std::to_string(c.masterF) + ", overtake " +
         std::to_string(c.overtake) + ", bars " + std::to_string(c.lastCh) + " " +
         std::to_string(c.mode) + " " + std::to_string(c.lowCh) + " " +
         std::to_string(c.highCh) + " " + std::to_string(c.stAdj) + " " +
         std::to_string(c.otMax) + " " + std::to_string(c.otTime) + " " +
         std::to_string(c.maxPwr) + "}";
}

std::string Show(const BlockBytes& block) {
  return Printable(std::string_view(reinterpret_cast<const char*>(block.data()), block.size()));
}

// The decoding written out field by field from the block's layout table.
BlockControls ReferenceDecode(const BlockBytes& b) {
  BlockControls c;
  c.bup5Ah = b[0] == 0x5A;
  c.yourId = (b[1] << 16) | (b[2] << 8) | b[3];
  c.myId = (b[4] << 16) | (b[5] << 8) | b[6];
  c.masterF = (b[7] & 0x01) != 0;
  c.overtake = (b[7] & 0x08) != 0;
  c.lastCh = b[8];
  c.mode = b[9];
  c.lowCh = b[10];
  c.highCh = b[11];
  c.stAdj = b[12];
  c.otMax = std::clamp<int>(b[13], 1, 250);
  c.otTime = std::clamp<int>(b[14], 1, 250);
  c.maxPwr = std::clamp(236 - 2 * b[15], 0, 100);
  return c;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

bool EveryControlInRange(const BlockControls& c) {
  return InRange(c.yourId, 0, kMaxIdentifier) && InRange(c.myId, 0, kMaxIdentifier) &&
         InRange(c.lastCh, 0, 255) && InRange(c.mode, 0, 255) && InRange(c.lowCh, 0, 255) &&
         InRange(c.highCh, 0, 255) && InRange(c.stAdj, 0, 255) && InRange(c.otMax, 1, 250) &&
         InRange(c.otTime, 1, 250) && InRange(c.maxPwr, 0, 100);
}

void CheckReplyChecks(std::string_view bytes, PropertyReport& report) {
  const ByteString frame(bytes);
  const auto shown = [&] { return Printable(bytes); };
  report.Expect(CheckSum(frame) == ReferenceSum(bytes), "the checksum is the byte sum modulo 256",
                shown);

  const bool checksumMatches = bytes.size() == kFrameSize &&
                               ByteAt(bytes, kFrameSize - 1) == ReferenceSum(bytes.substr(1, 16));
  const auto reply = ParseReadReply(frame);
  report.Expect(reply.has_value() == checksumMatches,
                "a read reply is accepted exactly when 18 bytes end with the sum of bytes 1..16",
                shown);
  if (reply) {
    report.Expect(*reply == BlockOf(bytes.substr(1)),
                  "an accepted read reply yields the bytes 1..16 as its block", shown);
  }

  const bool acknowledged = bytes.size() == 19 && ByteAt(bytes, 18) == kAckByte;
  report.Expect(IsProgramAccepted(frame) == acknowledged,
                "a program reply is accepted exactly when 19 bytes end with 0x06", shown);

  const bool programFrame = checksumMatches && ByteAt(bytes, 0) == kProgramCommandByte;
  report.Expect(ParseProgramCommand(frame).has_value() == programFrame,
                "a program command is accepted exactly when 18 bytes start with F5 and end with "
                "the sum of bytes 1..16",
                shown);
}

// The first 17 bytes made into a read reply with a right and a wrong
// checksum, so every input also tries both sides of the checksum test.
void CheckMadeReplies(std::string_view bytes, PropertyReport& report) {
  if (bytes.size() < kFrameSize - 1) return;
  ByteString frame(bytes.substr(0, kFrameSize - 1));
  const std::uint8_t sum = ReferenceSum(frame.substr(1));
  frame.push_back(static_cast<char>(sum));
  const auto reply = ParseReadReply(frame);
  report.Expect(reply == BlockOf(frame.substr(1)),
                "a read reply with the right checksum yields its block",
                [&] { return Printable(frame); });
  const auto wrongBy = static_cast<std::uint8_t>(1 + ByteAt(bytes, 0) % 255);  // never 0
  frame.back() = static_cast<char>(static_cast<std::uint8_t>(sum + wrongBy));
  report.Expect(!ParseReadReply(frame).has_value(), "a read reply with a wrong checksum is refused",
                [&] { return Printable(frame); });
}

void CheckBlockCodec(const BlockBytes& block, PropertyReport& report) {
  const BlockControls decoded = DecodeBlock(block);
  const auto shown = [&] { return Show(block) + " decodes to " + Show(decoded); };
  report.Expect(EveryControlInRange(decoded), "a decoded block lies in every control's range",
                shown);
  report.Expect(decoded == ReferenceDecode(block), "the block decodes by its layout table", shown);
  const BlockBytes encoded = EncodeBlock(decoded);
  report.Expect(DecodeBlock(encoded) == decoded,
                "encoding decoded controls re-decodes to the same controls",
                [&] { return shown() + ", encoded " + Show(encoded); });
  report.Expect(EncodeBlock(DecodeBlock(encoded)) == encoded,
                "an encoded block survives a decode and an encode unchanged",
                [&] { return Show(encoded); });
  report.Expect((encoded[block_offset::kFlags] & ~(kMasterFlagBit | kOvertakeBit)) == 0 &&
                    (encoded[block_offset::kBup] == 0x00 || encoded[block_offset::kBup] == 0x5A),
                "an encoded block has only the marker values and flag bits the controls hold",
                [&] { return Show(encoded); });

  const auto reply = ParseReadReply(ReadReplyFrame(block[0], block));
  report.Expect(reply == block, "a read reply frame carries its block back",
                [&] { return Show(block); });
  const ByteString program = ProgramCommandFrame(block);
  report.Expect(program.size() == kFrameSize && ParseProgramCommand(program) == block,
                "a program command frame carries its block back",
                [&] { return Printable(program); });
}

BlockControls ControlsFrom(FuzzInput& in) {
  const std::uint8_t choices = in.TakeByte();
  BlockControls c;
  c.bup5Ah = (choices & 1) != 0;
  c.masterF = (choices & 2) != 0;
  c.overtake = (choices & 4) != 0;
  c.yourId = in.TakeInt32();
  c.myId = in.TakeInt32();
  for (int* bar : {&c.lastCh, &c.mode, &c.lowCh, &c.highCh, &c.stAdj, &c.otMax, &c.otTime,
                   &c.maxPwr}) {
    *bar = in.TakeInt32();
  }
  return c;
}

// What the window would show after the block went to the device and back:
// each value limited to its range, MAXPWR in its steps of two.
BlockControls Limited(BlockControls c) {
  c.yourId = std::clamp(c.yourId, 0, kMaxIdentifier);
  c.myId = std::clamp(c.myId, 0, kMaxIdentifier);
  for (int* bar : {&c.lastCh, &c.mode, &c.lowCh, &c.highCh, &c.stAdj}) {
    *bar = std::clamp(*bar, 0, 255);
  }
  c.otMax = std::clamp(c.otMax, 1, 250);
  c.otTime = std::clamp(c.otTime, 1, 250);
  c.maxPwr = std::clamp(c.maxPwr, 0, 100) / 2 * 2;
  return c;
}

void CheckControlsEncoding(FuzzInput& in, PropertyReport& report) {
  const BlockControls controls = ControlsFrom(in);
  const BlockBytes encoded = EncodeBlock(controls);
  const BlockControls back = DecodeBlock(encoded);
  report.Expect(back == Limited(controls),
                "encoding limits each control to its range without touching its neighbours",
                [&] { return Show(controls) + " comes back as " + Show(back); });
}

}  // namespace

PropertyReport CheckFrames(std::span<const std::uint8_t> input) {
  PropertyReport report;
  const std::string_view bytes = AsText(input);
  CheckReplyChecks(bytes, report);
  CheckMadeReplies(bytes, report);
  CheckBlockCodec(BlockOf(bytes), report);
  if (bytes.size() > 1) CheckBlockCodec(BlockOf(bytes.substr(1)), report);
  FuzzInput in(input);
  CheckControlsEncoding(in, report);
  return report;
}

}  // namespace kx14::fuzz
