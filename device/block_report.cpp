#include "device/block_report.h"

#include <cstdio>

#include "files/backup_document.h"
#include "files/field_text.h"
#include "protocol/checksum.h"
#include "protocol/handicap_captions.h"

namespace kx14::cli {

std::string LevelText(THandicapPreset level) {
  return std::string(HandicapCaption(level)) + " (" + std::string(HandicapShortName(level)) + ")";
}

THandicapPreset LevelOfBlock(const BlockBytes& block) {
  return HandicapForOvertakeCount(DecodeBlock(block).otMax);
}

std::string BlockTable(const BlockBytes& block) {
  std::string table;
  char line[80];
  for (const BlockField& field : BlockFields()) {
    std::string value = FieldText(block, field);
    if (field.kind == TFieldKind::Percent) value += " %";
    std::snprintf(line, sizeof line, "%-9s %s\n", std::string(field.name).c_str(), value.c_str());
    table += line;
  }
  std::snprintf(line, sizeof line, "%-9s %s  checksum %02X\n", "block", BlockHex(block).c_str(),
                CheckSum(block));
  table += line;
  return table + "level     " + LevelText(LevelOfBlock(block)) + "\n";
}

}  // namespace kx14::cli
