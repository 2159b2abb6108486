#include "golden_vectors.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace kx14 {

void PrintTo(const BlockControls& c, std::ostream* out) {
  *out << "{bup5Ah=" << c.bup5Ah << " yourId=" << c.yourId << " myId=" << c.myId
       << " masterF=" << c.masterF << " overtake=" << c.overtake << " last=" << c.lastCh
       << " mode=" << c.mode << " ua=" << c.lowCh << " low=" << c.highCh << " hich=" << c.stAdj
       << " thr=" << c.otMax << " yobi1=" << c.otTime << " yobi2=" << c.maxPwr << "}";
}

}  // namespace kx14

namespace kx14::test {
namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The data lines of a fixture file, each split at '|' into trimmed columns.
std::vector<std::vector<std::string>> ReadRows(const std::string& file, std::size_t columns) {
  std::ifstream in(std::filesystem::path(KX14_PROTOCOL_TEST_DATA) / file);
  if (!in) throw std::runtime_error("cannot open fixture " + file);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (Trim(line).empty() || Trim(line)[0] == '#') continue;
    std::vector<std::string> row;
    std::stringstream fields(line);
    for (std::string field; std::getline(fields, field, '|');) row.push_back(Trim(field));
    if (row.size() != columns) throw std::runtime_error("bad fixture line: " + line);
    rows.push_back(row);
  }
  return rows;
}

BlockControls ParseControls(const std::string& text) {
  std::map<std::string, std::int32_t> values;
  std::stringstream words(text);
  for (std::string word; words >> word;) {
    const auto eq = word.find('=');
    if (eq == std::string::npos) throw std::invalid_argument("bad control: " + word);
    values[word.substr(0, eq)] = std::stoi(word.substr(eq + 1));
  }
  if (values.size() != 13) throw std::invalid_argument("need 13 controls: " + text);
  BlockControls c;
  c.bup5Ah = values.at("bup") != 0;
  c.yourId = values.at("your");
  c.myId = values.at("my");
  c.masterF = values.at("mas") != 0;
  c.overtake = values.at("ot") != 0;
  c.lastCh = values.at("last");
  c.mode = values.at("mode");
  c.lowCh = values.at("ua");
  c.highCh = values.at("low");
  c.stAdj = values.at("hich");
  c.otMax = values.at("thr");
  c.otTime = values.at("yobi1");
  c.maxPwr = values.at("yobi2");
  return c;
}

}  // namespace

ByteString ParseHex(const std::string& text) {
  ByteString bytes;
  std::stringstream words(text);
  for (std::string word; words >> word;) {
    if (word.size() != 2) throw std::invalid_argument("bad hex byte: " + word);
    bytes.push_back(static_cast<char>(std::stoi(word, nullptr, 16)));
  }
  return bytes;
}

BlockBytes ParseBlockHex(const std::string& text) {
  const ByteString bytes = ParseHex(text);
  if (bytes.size() != 16) throw std::invalid_argument("a block has 16 bytes: " + text);
  return BlockFromByteString(bytes, 0);
}

std::vector<ChecksumVector> LoadChecksumVectors() {
  std::vector<ChecksumVector> vectors;
  for (const auto& row : ReadRows("checksum_vectors.txt", 3)) {
    vectors.push_back(
        {row[0], ParseHex(row[1]), static_cast<std::uint8_t>(std::stoi(row[2], nullptr, 16))});
  }
  return vectors;
}

std::vector<BlockVector> LoadBlockVectors() {
  std::vector<BlockVector> vectors;
  for (const auto& row : ReadRows("block_vectors.txt", 4)) {
    vectors.push_back(
        {row[0], ParseBlockHex(row[1]), ParseControls(row[2]), ParseBlockHex(row[3])});
  }
  return vectors;
}

}  // namespace kx14::test
