#include "ports/port_name_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kx14 {
namespace {

struct ConversionCase {
  std::string text;
  std::int32_t value;
};

class RtlStrToIntAccepts : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(RtlStrToIntAccepts, GivesTheValue) {
  EXPECT_EQ(RtlStrToInt(GetParam().text), GetParam().value);
  EXPECT_EQ(TryRtlStrToInt(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, RtlStrToIntAccepts,
    ::testing::Values(ConversionCase{"0", 0}, ConversionCase{"10", 10}, ConversionCase{"0010", 10},
                      ConversionCase{"+7", 7}, ConversionCase{"-7", -7}, ConversionCase{"-0", 0},
                      ConversionCase{"   42", 42}, ConversionCase{"2147483647", 2147483647},
                      ConversionCase{"-2147483648", -2147483647 - 1}, ConversionCase{"$10", 16},
                      ConversionCase{"$ff", 255}, ConversionCase{"0x10", 16},
                      ConversionCase{"0XaB", 171}, ConversionCase{" $7FFFFFFF", 2147483647},
                      ConversionCase{"$FFFFFFFF", -1},
                      ConversionCase{"0x80000000", -2147483647 - 1},
                      ConversionCase{"$000000000001", 1}));

class RtlStrToIntRejects : public ::testing::TestWithParam<std::string> {};

TEST_P(RtlStrToIntRejects, RaisesTheConversionError) {
  EXPECT_FALSE(TryRtlStrToInt(GetParam()).has_value());
  try {
    RtlStrToInt(GetParam());
    FAIL() << "no error for '" << GetParam() << "'";
  } catch (const EConvertError& error) {
    EXPECT_EQ(std::string(error.what()), "'" + GetParam() + "' は整数ではありません");
  }
}

INSTANTIATE_TEST_SUITE_P(Forms, RtlStrToIntRejects,
                         ::testing::Values("", " ", "   ", "+", "-", "$", "0x", "abc", "12 ", "1 2",
                                           "\t12", "12\n", "2147483648", "-2147483649",
                                           "99999999999999999999", "$100000000", "+$10", "-0x10",
                                           "x10", "X10", "0x1G", "1e3", "１２"));

TEST(PortNameRemainder, DropsThreeCharacters) {
  EXPECT_EQ(PortNameRemainder("COM10"), "10");
  EXPECT_EQ(PortNameRemainder("XYZ7"), "7");
  EXPECT_EQ(PortNameRemainder("COM"), "");
  EXPECT_EQ(PortNameRemainder("CO"), "");
  EXPECT_EQ(PortNameRemainder(""), "");
}

TEST(PortNameRemainder, CountsUtf8CharactersNotBytes) {
  EXPECT_EQ(PortNameRemainder("ポート5"), "5");
  EXPECT_EQ(PortNameRemainder("Cポ M12"), "M12");
}

struct CompareCase {
  std::string a;
  std::string b;
  int expected;
};

class ComparePortNamesTable : public ::testing::TestWithParam<CompareCase> {};

TEST_P(ComparePortNamesTable, OrdersByNumber) {
  EXPECT_EQ(ComparePortNames(GetParam().a, GetParam().b), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ComparePortNamesTable,
    ::testing::Values(CompareCase{"COM10", "COM2", 1}, CompareCase{"COM2", "COM10", -1},
                      CompareCase{"COM3", "COM3", 0}, CompareCase{"COM03", "COM3", 0},
                      CompareCase{"ABC5", "COM4", 1}, CompareCase{"COM$10", "COM15", 1},
                      CompareCase{"COM-1", "COM0", -1}));

TEST(ComparePortNames, NameWithoutNumberRaisesTheConversionError) {
  try {
    ComparePortNames("COM1", "USB-A");
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "'-A' は整数ではありません");
  }
  EXPECT_THROW(ComparePortNames("COM", "COM1"), EConvertError);
}

TEST(SortPortNames, OrdersNumericallyNotByText) {
  std::vector<std::string> names{"COM10", "COM2", "COM1"};
  SortPortNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"COM1", "COM2", "COM10"}));
}

TEST(SortPortNames, EqualNumbersKeepTheirOrder) {
  std::vector<std::string> names{"COM5", "COM05", "XYZ5", "COM1"};
  SortPortNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"COM1", "COM5", "COM05", "XYZ5"}));
}

TEST(SortPortNames, SingleNameIsNotConverted) {
  std::vector<std::string> names{"not a port"};
  EXPECT_NO_THROW(SortPortNames(names));
  EXPECT_EQ(names, std::vector<std::string>{"not a port"});
  std::vector<std::string> none;
  EXPECT_NO_THROW(SortPortNames(none));
}

TEST(SortPortNames, BadNameRaisesAndLeavesTheListAsItWas) {
  std::vector<std::string> names{"COM3", "COM1", "ttyUSB0", "COMx"};
  const std::vector<std::string> before = names;
  try {
    SortPortNames(names);
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "'USB0' は整数ではありません");
  }
  EXPECT_EQ(names, before);
}

}  // namespace
}  // namespace kx14
