#include "cli/change_report.h"

#include <algorithm>

#include "files/block_difference.h"
#include "protocol/hex_bytes.h"

namespace kx14::cli {
namespace {

std::string ByteText(std::uint8_t byte) {
  return HexBytes(std::string(1, static_cast<char>(byte)));
}

// Bytes that differ where no field value does (unused flag bits, MAXPWR
// bytes beyond the percent range).
std::vector<std::size_t> BytesOnlyDiffering(const BlockBytes& from, const BlockBytes& to) {
  std::vector<std::size_t> bytes;
  if (!FieldChanges(from, to).empty()) return bytes;
  for (std::size_t i = 0; i < from.size(); ++i) {
    if (from[i] != to[i]) bytes.push_back(i);
  }
  return bytes;
}

}  // namespace

std::string ChangesTable(const BlockBytes& from, const BlockBytes& to, const std::string& fromName,
                         const std::string& toName) {
  if (from == to) return "no difference\n";
  std::string table = "field       " + fromName + " -> " + toName + "\n";
  for (const FieldChange& c : FieldChanges(from, to)) {
    std::string name(c.field->name);
    name.resize(std::max<std::size_t>(name.size(), 9), ' ');
    table += "  " + name + " " + c.from + " -> " + c.to + "\n";
  }
  for (const std::size_t i : BytesOnlyDiffering(from, to)) {
    table += "  byte " + std::to_string(i) + "    " + ByteText(from[i]) + " -> " + ByteText(to[i]) +
             "\n";
  }
  return table;
}

Json ChangesJson(const BlockBytes& from, const BlockBytes& to) {
  Json changes = Json::array();
  for (const FieldChange& c : FieldChanges(from, to)) {
    changes.push_back({{"field", c.field->name}, {"from", c.from}, {"to", c.to}});
  }
  for (const std::size_t i : BytesOnlyDiffering(from, to)) {
    changes.push_back({{"field", "byte " + std::to_string(i)},
                       {"from", ByteText(from[i])},
                       {"to", ByteText(to[i])}});
  }
  return changes;
}

}  // namespace kx14::cli
