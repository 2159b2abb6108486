#pragma once

// The race-day roster: a CSV file (UTF-8, with a header) that gives each car,
// known by one of the block's two identifiers, its driver's handicap level.
// The header names the identifier column (MYID or YOURID) and `level`, and
// may add `name` and `note`, in any order. Every row is checked before the
// roster is used, so a mistake stops the run before anything is sent.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/handicap_preset.h"

namespace kx14::cli {

struct RosterCar {
  int line = 0;  // in the file, counting the header as line 1
  int id = 0;    // 0..16777215
  THandicapPreset level = THandicapPreset::Handy0;
  std::string name;  // UTF-8, may be empty
  std::string note;
};

struct Roster {
  std::string idField;          // "MYID" or "YOURID"
  std::vector<RosterCar> cars;  // in file order, identifiers unique

  const RosterCar* Find(int id) const;
};

// Reads roster text. A missing or unknown column, a row with too few or too
// many fields, an unclosed quote, text that is not UTF-8, an identifier that
// is not a number in 0..16777215 (decimal or 0x hex), an unknown level and an
// identifier given twice are each a usage failure (CliFailure) whose message
// starts with `fileName` and the line.
Roster ParseRoster(std::string_view text, const std::string& fileName);

// Reads the file named by `path` (UTF-8) once, as ParseRoster.
Roster ReadRoster(const std::string& path);

}  // namespace kx14::cli
