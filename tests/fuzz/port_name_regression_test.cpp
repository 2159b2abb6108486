// Inputs that the port-name fuzz target broke a property with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ports/port_name_order.h"

namespace kx14 {
namespace {

// A NUL byte inside a name: what() is a C string, so the conversion error's
// message cannot carry the remainder past it. The sort must still refuse the
// list with the conversion error and leave it as it was. No directory entry
// can hold a NUL byte, so such a name reaches the list from no source today.
TEST(PortNameRegression, NameWithNulByteRaisesTheConversionErrorAndKeepsTheList) {
  const std::string withNul(
      "C\0\0\0\x1C"
      "0",
      6);
  std::vector<std::string> names = {"COM1", "COM10", "COM-1", withNul, "COM2"};
  const std::vector<std::string> given = names;
  EXPECT_THROW(SortPortNames(names), EConvertError);
  EXPECT_EQ(names, given);
  EXPECT_THROW(ComparePortNames("COM1", withNul), EConvertError);
  EXPECT_FALSE(TryPortNameNumber(withNul).has_value());
}

}  // namespace
}  // namespace kx14
