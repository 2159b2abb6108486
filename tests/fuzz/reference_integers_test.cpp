// The fuzz targets' reference readers are only as good as their own
// correctness: the examples of both integer grammars, held against them.
#include "fuzz/properties/reference_integers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace kx14::fuzz {
namespace {

struct ReferenceCase {
  std::string text;
  std::optional<std::int32_t> typedNumber;  // with "$", "x", "X", "0x", "0X"
  std::optional<std::int32_t> rtlStrToInt;  // with "$", "0x", "0X"
};

void PrintTo(const ReferenceCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class ReferenceIntegerTable : public testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferenceIntegerTable, ReadsBothGrammars) {
  const ReferenceCase& c = GetParam();
  EXPECT_EQ(ReferenceInteger(c.text, HexPrefixes::kTypedNumber), c.typedNumber);
  EXPECT_EQ(ReferenceInteger(c.text, HexPrefixes::kRtlStrToInt), c.rtlStrToInt);
}

constexpr auto kInvalid = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Examples, ReferenceIntegerTable,
    testing::Values(
        ReferenceCase{"$ff", 255, 255}, ReferenceCase{"X1F", 31, kInvalid},
        ReferenceCase{"x1f", 31, kInvalid}, ReferenceCase{"0X1F", 31, 31},
        ReferenceCase{"  12", 12, 12}, ReferenceCase{"12 ", kInvalid, kInvalid},
        ReferenceCase{"1.5", kInvalid, kInvalid}, ReferenceCase{"1E3", kInvalid, kInvalid},
        ReferenceCase{"12A", kInvalid, kInvalid}, ReferenceCase{"-$10", kInvalid, kInvalid},
        ReferenceCase{"+0X10", kInvalid, kInvalid}, ReferenceCase{"-", kInvalid, kInvalid},
        ReferenceCase{"", kInvalid, kInvalid}, ReferenceCase{"   ", kInvalid, kInvalid},
        ReferenceCase{"0x", kInvalid, kInvalid}, ReferenceCase{"007", 7, 7},
        ReferenceCase{"-0", 0, 0}, ReferenceCase{"+5", 5, 5},
        ReferenceCase{"2147483647", 2147483647, 2147483647},
        ReferenceCase{"2147483648", kInvalid, kInvalid},
        ReferenceCase{"-2147483648", INT32_MIN, INT32_MIN},
        ReferenceCase{"-2147483649", kInvalid, kInvalid},
        ReferenceCase{"00000000000002147483647", 2147483647, 2147483647},
        ReferenceCase{"99999999999", kInvalid, kInvalid}, ReferenceCase{"$FFFFFFFF", -1, -1},
        ReferenceCase{"$80000000", INT32_MIN, INT32_MIN}, ReferenceCase{"$000000001", 1, 1},
        ReferenceCase{"$100000000", kInvalid, kInvalid}, ReferenceCase{"00x10", kInvalid, kInvalid},
        ReferenceCase{"\t12", kInvalid, kInvalid},
        ReferenceCase{std::string("1\0", 2), kInvalid, kInvalid}));

TEST(CanonicalDecimal, DropsBlanksPlusAndLeadingZeros) {
  EXPECT_EQ(CanonicalDecimal("  +007"), "7");
  EXPECT_EQ(CanonicalDecimal("-000"), "0");
  EXPECT_EQ(CanonicalDecimal("-0012"), "-12");
  EXPECT_EQ(CanonicalDecimal("99999999999"), "99999999999");
  EXPECT_EQ(CanonicalDecimal("$10"), std::nullopt);
  EXPECT_EQ(CanonicalDecimal("-"), std::nullopt);
  EXPECT_EQ(CanonicalDecimal("1 "), std::nullopt);
}

}  // namespace
}  // namespace kx14::fuzz
