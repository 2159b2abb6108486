#pragma once

// Loads the golden vectors of the checksum and the parameter block from the
// fixture files in data/.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "base/byte_string.h"
#include "protocol/parameter_block.h"

namespace kx14 {
// Readable failure messages for GoogleTest (found by argument lookup).
void PrintTo(const BlockControls& controls, std::ostream* out);
}  // namespace kx14

namespace kx14::test {

struct ChecksumVector {
  std::string name;
  ByteString bytes;
  std::uint8_t checksum = 0;
};

struct BlockVector {
  std::string name;
  BlockBytes read{};
  BlockControls controls;
  BlockBytes written{};
};

// "5A 00 FF" -> the three bytes; throws std::invalid_argument on bad text.
ByteString ParseHex(const std::string& text);
BlockBytes ParseBlockHex(const std::string& text);

std::vector<ChecksumVector> LoadChecksumVectors();
std::vector<BlockVector> LoadBlockVectors();

}  // namespace kx14::test
