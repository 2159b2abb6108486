#include "ports/tty_name_order.h"

#include <array>
#include <cstddef>
#include <tuple>

namespace kx14 {
namespace {

constexpr std::array<std::string_view, 4> kPreferredKinds = {"ttyS", "ttyUSB", "ttyACM", "ttyAMA"};

struct TtyNameKey {
  std::size_t kindRank;      // index in kPreferredKinds, or its size for other kinds
  std::string_view kind;     // compared only among other kinds
  std::string_view number;   // trailing digits without leading zeros
  std::size_t numberLength;  // compares numbers of any length without overflow
};

TtyNameKey KeyOf(std::string_view name) noexcept {
  std::size_t digitsStart = name.size();
  while (digitsStart > 0 && name[digitsStart - 1] >= '0' && name[digitsStart - 1] <= '9') {
    --digitsStart;
  }
  const std::string_view kind = name.substr(0, digitsStart);
  std::string_view number = name.substr(digitsStart);
  while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);

  std::size_t rank = kPreferredKinds.size();
  for (std::size_t i = 0; i < kPreferredKinds.size(); ++i) {
    if (kind == kPreferredKinds[i]) rank = i;
  }
  const std::string_view otherKind = rank == kPreferredKinds.size() ? kind : std::string_view{};
  return {rank, otherKind, number, number.size()};
}

}  // namespace

bool TtyNameLess(std::string_view a, std::string_view b) noexcept {
  const TtyNameKey keyA = KeyOf(a);
  const TtyNameKey keyB = KeyOf(b);
  return std::tie(keyA.kindRank, keyA.kind, keyA.numberLength, keyA.number, a) <
         std::tie(keyB.kindRank, keyB.kind, keyB.numberLength, keyB.number, b);
}

}  // namespace kx14
