#include "protocol/parameter_block.h"

#include <gtest/gtest.h>

#include "golden_vectors.h"
#include "protocol/block_fields.h"

namespace kx14 {
namespace {

class BlockGolden : public testing::TestWithParam<test::BlockVector> {};

TEST_P(BlockGolden, DecodesToTheListedControls) {
  EXPECT_EQ(DecodeBlock(GetParam().read), GetParam().controls);
}

TEST_P(BlockGolden, ListedControlsEncodeToTheListedBlock) {
  EXPECT_EQ(EncodeBlock(GetParam().controls), GetParam().written);
}

// What the device gets back after a read and an unchanged program: the
// block itself where every field was in range, its limited form otherwise.
TEST_P(BlockGolden, ReadThenWriteGivesTheListedBlock) {
  EXPECT_EQ(EncodeBlock(DecodeBlock(GetParam().read)), GetParam().written);
}

// The written block is canonical: it reads and writes back byte-identical.
TEST_P(BlockGolden, WrittenBlockRoundTripsByteIdentical) {
  EXPECT_EQ(EncodeBlock(DecodeBlock(GetParam().written)), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Fixture, BlockGolden, testing::ValuesIn(test::LoadBlockVectors()),
                         [](const auto& row) { return row.param.name; });

struct MaxPwrWrite {
  int position;
  std::uint8_t byte;
};

class MaxPwrWriteTransform : public testing::TestWithParam<MaxPwrWrite> {};

TEST_P(MaxPwrWriteTransform, PositionBecomesByte) {
  BlockControls controls;
  controls.maxPwr = GetParam().position;
  EXPECT_EQ(EncodeBlock(controls)[block_offset::kMaxPwr], GetParam().byte);
}

// Odd positions go out as the even position below them.
INSTANTIATE_TEST_SUITE_P(Table, MaxPwrWriteTransform,
                         testing::Values(MaxPwrWrite{100, 0x44}, MaxPwrWrite{98, 0x45},
                                         MaxPwrWrite{99, 0x45}, MaxPwrWrite{74, 0x51},
                                         MaxPwrWrite{75, 0x51}, MaxPwrWrite{2, 0x75},
                                         MaxPwrWrite{3, 0x75}, MaxPwrWrite{0, 0x76},
                                         MaxPwrWrite{1, 0x76}));

TEST(BlockDecode, EveryMaxPwrByteLandsInTheBarRangeOnAnEvenPosition) {
  BlockBytes block{};
  for (int byte = 0; byte < 256; ++byte) {
    block[block_offset::kMaxPwr] = static_cast<std::uint8_t>(byte);
    const int position = DecodeBlock(block).maxPwr;
    EXPECT_GE(position, 0) << byte;
    EXPECT_LE(position, 100) << byte;
    EXPECT_EQ(position % 2, 0) << byte;
  }
}

TEST(BlockEncode, OutOfRangeIdentifiersAreLimitedNotSpilledIntoNeighbours) {
  BlockControls controls;
  controls.yourId = 0x1000000;  // one past the top
  controls.myId = -1;
  const BlockBytes block = EncodeBlock(controls);
  EXPECT_EQ(block[block_offset::kBup], kBupMarker);
  EXPECT_EQ(block[1], 0xFF);
  EXPECT_EQ(block[2], 0xFF);
  EXPECT_EQ(block[3], 0xFF);
  EXPECT_EQ(block[4], 0x00);
  EXPECT_EQ(block[5], 0x00);
  EXPECT_EQ(block[6], 0x00);
}

TEST(BlockEncode, OutOfRangeBarsAreLimitedToTheirControlRange) {
  BlockControls controls;
  controls.lastCh = 300;
  controls.mode = -5;
  controls.otMax = 0;
  controls.otTime = 251;
  controls.maxPwr = 120;
  const BlockBytes block = EncodeBlock(controls);
  EXPECT_EQ(block[block_offset::kLastCh], 255);
  EXPECT_EQ(block[block_offset::kMode], 0);
  EXPECT_EQ(block[block_offset::kOtMax], 1);
  EXPECT_EQ(block[block_offset::kOtTime], 250);
  EXPECT_EQ(block[block_offset::kMaxPwr], 0x44);
}

// Bytes the window's encodings would not give back: BUP 0x33, unused flag
// bits, OT_MAX 0, a MAXPWR byte beyond the percent range.
const BlockBytes kOddBlock = {0x33, 0xAB, 0xCD, 0xEF, 0x12, 0x34, 0x56, 0xF7,
                              0xFF, 0x80, 0x01, 0x02, 0x03, 0x00, 0xFF, 0x00};

TEST(BlockFields, ChangingAFieldLeavesEveryOtherByte) {
  for (const BlockField& field : BlockFields()) {
    BlockBytes block = kOddBlock;
    const int value =
        field.kind == TFieldKind::Percent ? 50 : field.min + (field.max - field.min) / 3;
    SetFieldValue(block, field, value);
    EXPECT_EQ(FieldValue(block, field), value) << field.name;
    int changed = 0;
    for (std::size_t i = 0; i < block.size(); ++i) changed += block[i] != kOddBlock[i];
    EXPECT_LE(changed, field.max > 255 ? 3 : 1) << field.name;
  }
  BlockBytes flags = kOddBlock;  // FLAGS 0xF7: MASTERF on, OVERTAKE off, other bits set
  SetFieldValue(flags, *FindBlockField("OVERTAKE"), 1);
  SetFieldValue(flags, *FindBlockField("MASTERF"), 0);
  EXPECT_EQ(flags[7], 0xFE);
}

TEST(BlockBytesConversion, KeepsZeroBytesAndOffset) {
  const ByteString frame = test::ParseHex("E5 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 00");
  const BlockBytes block = BlockFromByteString(frame, 1);
  EXPECT_EQ(block[0], 0x00);
  EXPECT_EQ(block[15], 0x0F);
  EXPECT_EQ(ToByteString(block), frame.substr(1, 16));
}

}  // namespace
}  // namespace kx14
