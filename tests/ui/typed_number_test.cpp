#include "ui/typed_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

namespace kx14 {
namespace {

constexpr std::int32_t kFallback = 4711;
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct TypedNumberCase {
  std::string text;
  std::optional<std::int32_t> value;  // nothing: invalid, the fallback comes back
};

void PrintTo(const TypedNumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class TypedNumberTable : public testing::TestWithParam<TypedNumberCase> {};

TEST_P(TypedNumberTable, ParsesOrFallsBack) {
  const TypedNumberCase& c = GetParam();
  EXPECT_EQ(ParseTypedNumber(c.text), c.value);
  EXPECT_EQ(ReadTypedNumber(c.text, kFallback), c.value.value_or(kFallback));
}

const TypedNumberCase kDecimal[] = {
    {"0", 0},
    {"7", 7},
    {"12", 12},
    {"300", 300},
    {"-5", -5},
    {"+5", 5},
    {"-0", 0},
    {"007", 7},
    {"0010", 10},
    {"123", 123},
    {"16777216", 16777216},
    {"2147483647", kMax},
    {"-2147483648", kMin},
    {"+2147483647", kMax},
    {"0000000000000000000002147483647", kMax},
    {"-00000000000000000000002147483648", kMin},
};
INSTANTIATE_TEST_SUITE_P(Decimal, TypedNumberTable, testing::ValuesIn(kDecimal));

const TypedNumberCase kDecimalOutOfRange[] = {
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"+2147483648", std::nullopt},
    {"4294967295", std::nullopt},
    {"4294967296", std::nullopt},
    {"99999999999999999999999999999999999999", std::nullopt},
    {"-99999999999999999999999999999999999999", std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(DecimalOutOfRange, TypedNumberTable,
                         testing::ValuesIn(kDecimalOutOfRange));

const TypedNumberCase kHexadecimal[] = {
    {"$ff", 255},
    {"$FF", 255},
    {"$fF", 255},
    {"X1F", 31},
    {"x1f", 31},
    {"0X1F", 31},
    {"0x10", 16},
    {"0xff", 255},
    {"$FFFFFF", 16777215},
    {"$1000000", 16777216},
    {"$0", 0},
    {"0x0", 0},
    {"$7FFFFFFF", kMax},
    {"$80000000", kMin},
    {"$FFFFFFFF", -1},
    {"0xFFFFFFFE", -2},
    {"$000000001", 1},          // nine digits, but only one significant
    {"$00000000FFFFFFFF", -1},  // leading zeros carry no bits
    {"  $10", 16},
};
INSTANTIATE_TEST_SUITE_P(Hexadecimal, TypedNumberTable, testing::ValuesIn(kHexadecimal));

const TypedNumberCase kHexadecimalInvalid[] = {
    {"$100000000", std::nullopt},  // nine significant digits: 36 bits
    {"$FFFFFFFFF", std::nullopt}, {"0x123456789", std::nullopt}, {"$", std::nullopt},
    {"x", std::nullopt},          {"X", std::nullopt},           {"0x", std::nullopt},
    {"0X", std::nullopt},         {"$-1", std::nullopt},         {"$+1", std::nullopt},
    {"-$10", std::nullopt},       {"+0X10", std::nullopt},       {"-0x10", std::nullopt},
    {"$G", std::nullopt},         {"$1G", std::nullopt},         {"$ 1", std::nullopt},
    {"0x 1", std::nullopt},       {"00x10", std::nullopt},       {"$$1", std::nullopt},
    {"0xx1", std::nullopt},       {"h10", std::nullopt},         {"10h", std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(HexadecimalInvalid, TypedNumberTable,
                         testing::ValuesIn(kHexadecimalInvalid));

const TypedNumberCase kBlanksAndJunk[] = {
    {"  12", 12},
    {" -12", -12},
    {"     0x10", 16},
    {"", std::nullopt},
    {" ", std::nullopt},
    {"   ", std::nullopt},
    {"-", std::nullopt},
    {"+", std::nullopt},
    {"+-1", std::nullopt},
    {"--1", std::nullopt},
    {"- 1", std::nullopt},
    {"12 ", std::nullopt},
    {"12  ", std::nullopt},
    {"1 2", std::nullopt},
    {"1.5", std::nullopt},
    {"12.", std::nullopt},
    {"1E3", std::nullopt},
    {"12A", std::nullopt},
    {"abc", std::nullopt},
    {"\t12", std::nullopt},  // only blanks are skipped
    {"\n12", std::nullopt},
    {"12\n", std::nullopt},
    {"\xC2\xA0"
     "12",
     std::nullopt},                              // no-break space
    {"\xEF\xBC\x91\xEF\xBC\x92", std::nullopt},  // full-width digits
    {std::string("1\0"
                 "2",
                 3),
     std::nullopt},
    {std::string("\0", 1), std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(BlanksAndJunk, TypedNumberTable, testing::ValuesIn(kBlanksAndJunk));

TEST(TypedNumber, FallbackIsReturnedUnchangedForEveryInvalidText) {
  for (std::int32_t fallback : {kMin, -1, 0, 37, kMax}) {
    EXPECT_EQ(ReadTypedNumber("", fallback), fallback);
    EXPECT_EQ(ReadTypedNumber("2147483648", fallback), fallback);
  }
}

TEST(TypedNumber, EveryHexValueRoundTripsThroughItsEightDigitForm) {
  // A property a wrong nibble order or sign extension fails.
  for (std::uint32_t bits : {0x00000000u, 0x00000001u, 0x0000ABCDu, 0x12345678u, 0x7FFFFFFFu,
                             0x80000000u, 0x80000001u, 0xDEADBEEFu, 0xFFFFFFFFu}) {
    char text[16];
    std::snprintf(text, sizeof text, "$%08X", bits);
    EXPECT_EQ(ParseTypedNumber(text), static_cast<std::int32_t>(bits)) << text;
  }
}

TEST(TypedNumber, ReadsOnlyTheGivenViewOfALongerBuffer) {
  const std::string buffer = "12345";
  EXPECT_EQ(ParseTypedNumber(std::string_view(buffer).substr(0, 2)), 12);
}

}  // namespace
}  // namespace kx14
