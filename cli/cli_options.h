#pragma once

// kx14ctl's command line. Options may stand before or after the command, in
// any order; "--name value" and "--name=value" both work.

#include <optional>
#include <string>
#include <vector>

#include "protocol/handicap_preset.h"

namespace kx14::cli {

enum class TCommand {
  Help,
  Version,
  Ports,
  Read,
  Program,
  Set,
  Backup,
  Restore,
  Verify,
  Watch,
  Roster,
  Doctor,
  History,
  Diff,
  Undo
};

struct FieldAssignment {
  std::string field;  // a block field's name
  int value = 0;      // within the field's range
};

struct CliOptions {
  TCommand command = TCommand::Help;
  std::optional<std::string> port;   // a COM name (any case) or a device path
  std::vector<std::string> ports;    // watch: every --port, in order ("all" among them)
  std::optional<std::string> trace;  // a file, or "-" for stderr
  bool json = false;
  bool quiet = false;
  bool force = false;
  bool noVerify = false;
  std::optional<THandicapPreset> level;
  std::optional<std::string> output;  // backup
  std::optional<std::string> input;   // restore, verify
  std::optional<std::string> log;     // watch: CSV file
  std::optional<std::string> roster;  // watch --roster, roster check FILE
  std::vector<FieldAssignment> assignments;
  bool noHistory = false;             // --no-history: record nothing
  bool dryRun = false;                // program, set, restore: show, send nothing
  std::optional<int> car;             // history --car: a YOURID or MYID
  std::optional<std::string> since;   // history --since: ISO time, or 30m, 2h, 7d
  std::vector<std::string> operands;  // diff A B
};

// Throws CliFailure (usage status) for an unknown command or option, a
// missing or bad value, an option the command does not take, a missing
// required option, an unknown field, or a value out of its field's range.
CliOptions ParseCliOptions(const std::vector<std::string>& args);

// The text that --help prints.
std::string HelpText();

}  // namespace kx14::cli
