#include "protocol/checksum.h"

#include <gtest/gtest.h>

#include "golden_vectors.h"

namespace kx14 {
namespace {

class ChecksumGolden : public testing::TestWithParam<test::ChecksumVector> {};

TEST_P(ChecksumGolden, SumModulo256MatchesVector) {
  EXPECT_EQ(CheckSum(GetParam().bytes), GetParam().checksum);
}

TEST_P(ChecksumGolden, AddCheckSumAppendsExactlyThatByte) {
  ByteString data = GetParam().bytes;
  AddCheckSum(data);
  ASSERT_EQ(data.size(), GetParam().bytes.size() + 1);
  EXPECT_EQ(data.substr(0, GetParam().bytes.size()), GetParam().bytes);
  EXPECT_EQ(static_cast<std::uint8_t>(data.back()), GetParam().checksum);
}

INSTANTIATE_TEST_SUITE_P(Fixture, ChecksumGolden, testing::ValuesIn(test::LoadChecksumVectors()),
                         [](const auto& row) { return row.param.name; });

TEST(Checksum, AddCheckSumOfCarryingBytesAppends02) {
  ByteString data = test::ParseHex("01 FF 02");
  AddCheckSum(data);
  EXPECT_EQ(data, test::ParseHex("01 FF 02 02"));
}

TEST(Checksum, AddCheckSumOfEmptyAppendsZero) {
  ByteString data;
  AddCheckSum(data);
  EXPECT_EQ(data, ByteString(1, '\0'));
}

// A sum modulo 256 changes by +-2^k when bit k of one byte flips, and 2^k is
// never a multiple of 256: every single-bit error in a block is caught.
TEST(Checksum, EverySingleBitFlipOfTheBlockChangesIt) {
  const ByteString block = test::ParseHex("5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51");
  const std::uint8_t good = CheckSum(block);
  for (std::size_t byte = 0; byte < block.size(); ++byte) {
    for (int bit = 0; bit < 8; ++bit) {
      ByteString damaged = block;
      damaged[byte] = static_cast<char>(damaged[byte] ^ (1 << bit));
      EXPECT_NE(CheckSum(damaged), good) << "byte " << byte << " bit " << bit;
    }
  }
}

TEST(Checksum, ByteStringAndSpanFormsAgree) {
  const BlockBytes block = test::ParseBlockHex("80 FF 7F 01 00 00 02 00 00 00 00 00 00 05 03 51");
  EXPECT_EQ(CheckSum(block), CheckSum(ToByteString(block)));
}

}  // namespace
}  // namespace kx14
