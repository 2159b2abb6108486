#include "cli/cli_options.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "files/exit_status.h"
#include "files/field_text.h"
#include "protocol/handicap_captions.h"

namespace kx14::cli {
namespace {

struct CommandName {
  std::string_view name;
  TCommand command;
};

constexpr std::array<CommandName, 13> kCommands = {{{"ports", TCommand::Ports},
                                                    {"read", TCommand::Read},
                                                    {"program", TCommand::Program},
                                                    {"set", TCommand::Set},
                                                    {"backup", TCommand::Backup},
                                                    {"restore", TCommand::Restore},
                                                    {"verify", TCommand::Verify},
                                                    {"watch", TCommand::Watch},
                                                    {"roster", TCommand::Roster},
                                                    {"doctor", TCommand::Doctor},
                                                    {"history", TCommand::History},
                                                    {"diff", TCommand::Diff},
                                                    {"undo", TCommand::Undo}}};

// Options that only some commands take, by the commands that take them.
struct CommandOption {
  std::string_view option;
  std::vector<TCommand> commands;
};

const std::vector<CommandOption>& CommandOptions() {
  using enum TCommand;
  static const std::vector<CommandOption> options = {
      {"--level", {Program, Watch}},
      {"--force", {Program, Set, Backup, Restore, Undo}},
      {"--dry-run", {Program, Set, Restore}},
      {"--car", {History}},
      {"--since", {History}},
      {"--no-verify", {Program, Set, Restore}},
      {"--output", {Backup}},
      {"--input", {Restore, Verify}},
      {"--log", {Watch}},
      {"--roster", {Watch}},
  };
  return options;
}

// The options given, with the command, so the command's own rules can be
// checked once everything is read.
struct Parsed {
  CliOptions options;
  std::optional<TCommand> command;
  std::vector<std::string> given;
  std::vector<std::string> words;  // operands after the command (set's FIELD=VALUE)
};

std::optional<TCommand> CommandByName(std::string_view name) {
  for (const CommandName& c : kCommands) {
    if (c.name == name) return c.command;
  }
  return std::nullopt;
}

THandicapPreset ParseLevel(const std::string& text) {
  if (const auto level = HandicapByName(text)) return *level;
  throw UsageFailure("unknown level \"" + text +
                     "\": use one of S M 0 1 2 3 4 5 6 MAX or a level's caption");
}

FieldAssignment ParseAssignment(const std::string& word) {
  const std::size_t equals = word.find('=');
  if (equals == std::string::npos) throw UsageFailure("expected FIELD=VALUE, got \"" + word + "\"");
  const std::string name = word.substr(0, equals);
  const BlockField* field = FindBlockField(name);
  if (field == nullptr) {
    throw UsageFailure("unknown field \"" + name + "\": use " + FieldNames());
  }
  const std::optional<int> value = ParseFieldValue(*field, word.substr(equals + 1));
  if (!value) {
    const std::string range = field->kind == TFieldKind::Flag ? "on or off"
                              : field->kind == TFieldKind::Percent
                                  ? "an even percentage 0..100"
                                  : std::to_string(field->min) + ".." + std::to_string(field->max);
    throw UsageFailure(name + " takes " + range + ", not \"" + word.substr(equals + 1) + "\"");
  }
  return {name, *value};
}

int ParseCar(const std::string& text) {
  const std::optional<int> id = ParseFieldValue(*FindBlockField("MYID"), text);
  if (!id) throw UsageFailure("--car takes a YOURID or MYID, 0..16777215, not \"" + text + "\"");
  return *id;
}

bool TakesValue(std::string_view option) {
  return option == "--port" || option == "--trace" || option == "--level" || option == "--output" ||
         option == "--input" || option == "--log" || option == "--roster" || option == "--car" ||
         option == "--since";
}

// The last --port is the port of the commands that take one; watch takes
// every one given.
void AddPort(CliOptions& options, const std::string& port) {
  options.port = port;
  options.ports.push_back(port);
}

void ApplyOption(Parsed& parsed, const std::string& option, const std::string& value) {
  CliOptions& o = parsed.options;
  if (option == "--port")
    AddPort(o, value);
  else if (option == "--roster")
    o.roster = value;
  else if (option == "--trace")
    o.trace = value;
  else if (option == "--level")
    o.level = ParseLevel(value);
  else if (option == "--output")
    o.output = value;
  else if (option == "--input")
    o.input = value;
  else if (option == "--log")
    o.log = value;
  else if (option == "--json")
    o.json = true;
  else if (option == "--quiet")
    o.quiet = true;
  else if (option == "--force")
    o.force = true;
  else if (option == "--no-verify")
    o.noVerify = true;
  else if (option == "--no-history")
    o.noHistory = true;
  else if (option == "--dry-run")
    o.dryRun = true;
  else if (option == "--car")
    o.car = ParseCar(value);
  else if (option == "--since")
    o.since = value;
  else if (option == "--help" || option == "-h")
    parsed.command = TCommand::Help;
  else if (option == "--version")
    parsed.command = TCommand::Version;
  else
    throw UsageFailure("unknown option " + option + " (see kx14ctl --help)");
  parsed.given.push_back(option);
}

// Reads one option at args[i]; returns the index of the last argument used.
std::size_t TakeOption(Parsed& parsed, const std::vector<std::string>& args, std::size_t i) {
  std::string option = args[i];
  std::optional<std::string> value;
  if (const std::size_t equals = option.find('='); equals != std::string::npos) {
    value = option.substr(equals + 1);
    option.resize(equals);
  }
  if (TakesValue(option) && !value) {
    if (i + 1 >= args.size()) throw UsageFailure(option + " needs a value");
    value = args[++i];
  } else if (!TakesValue(option) && value) {
    throw UsageFailure(option + " takes no value");
  }
  ApplyOption(parsed, option, value.value_or(""));
  return i;
}

// roster check FILE: the only action there is.
void TakeRosterWords(Parsed& parsed) {
  if (parsed.words.size() != 2 || parsed.words[0] != "check") {
    throw UsageFailure("use: kx14ctl roster check FILE");
  }
  parsed.options.roster = parsed.words[1];
  parsed.words.clear();
}

void CheckCommandRules(const Parsed& parsed) {
  const TCommand command = *parsed.command;
  for (const CommandOption& rule : CommandOptions()) {
    const bool given =
        std::find(parsed.given.begin(), parsed.given.end(), rule.option) != parsed.given.end();
    const bool allowed =
        std::find(rule.commands.begin(), rule.commands.end(), command) != rule.commands.end();
    if (given && !allowed) throw UsageFailure(std::string(rule.option) + " does not apply here");
  }
  const CliOptions& o = parsed.options;
  if ((command == TCommand::Program || (command == TCommand::Watch && !o.roster)) && !o.level) {
    throw UsageFailure("--level L is required (S M 0 1 2 3 4 5 6 MAX)");
  }
  if (o.ports.size() > 1 && command != TCommand::Watch) {
    throw UsageFailure("only watch takes --port more than once");
  }
  if (command == TCommand::Backup && !o.output) throw UsageFailure("--output FILE is required");
  if ((command == TCommand::Restore || command == TCommand::Verify) && !o.input) {
    throw UsageFailure("--input FILE is required");
  }
  if (command == TCommand::Set && o.assignments.empty()) {
    throw UsageFailure("set needs at least one FIELD=VALUE");
  }
  if (command == TCommand::Diff && parsed.options.operands.size() != 2) {
    throw UsageFailure("use: kx14ctl diff A B (each a backup or history file, @N, or device)");
  }
  if (command == TCommand::Undo && !o.port) throw UsageFailure("--port P is required");
  if (command != TCommand::Set && command != TCommand::Roster && !parsed.words.empty()) {
    throw UsageFailure("unexpected argument \"" + parsed.words.front() + "\"");
  }
}

}  // namespace

CliOptions ParseCliOptions(const std::vector<std::string>& args) {
  Parsed parsed;
  std::optional<TCommand> named;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() > 1 && arg[0] == '-') {
      i = TakeOption(parsed, args, i);
    } else if (!named) {
      named = CommandByName(arg);
      if (!named) throw UsageFailure("unknown command \"" + arg + "\" (see kx14ctl --help)");
    } else {
      parsed.words.push_back(arg);
    }
  }
  if (parsed.command) {  // --help or --version wins over everything else
    parsed.options.command = *parsed.command;
    return parsed.options;
  }
  if (!named) throw UsageFailure("no command given (see kx14ctl --help)");
  parsed.command = named;
  if (*named == TCommand::Set) {
    for (const std::string& word : parsed.words) {
      parsed.options.assignments.push_back(ParseAssignment(word));
    }
    parsed.words.clear();
  }
  if (*named == TCommand::Roster) TakeRosterWords(parsed);
  if (*named == TCommand::Diff) parsed.options.operands = std::exchange(parsed.words, {});
  CheckCommandRules(parsed);
  parsed.options.command = *named;
  return parsed.options;
}

std::string HelpText() {
  return R"(Usage: kx14ctl [--port NAME] [--json] [--trace FILE] [--quiet] COMMAND [options]

Commands:
  ports                          list the ports: name, device, source, state
  read                           read the block: fields, raw block, level
  program --level L [--force] [--no-verify]
                                 what the window does for Read, level L, Program
  set FIELD=VALUE... [--force] [--no-verify]
                                 read, change the named fields, store, read back
  backup --output FILE [--force] save the block as JSON (--force replaces FILE)
  restore --input FILE [--force] [--no-verify]
                                 store a backup's block, read back
  verify --input FILE            compare the device with a backup, field by field
  watch --level L [--log FILE.csv]
  watch --roster FILE [--level L] [--log FILE.csv]
                                 program each car as it is plugged in, until Ctrl+C:
                                 with --roster the level the roster gives its
                                 identifier (others get --level, or are skipped);
                                 --port may be repeated, "all" is every free port
  roster check FILE              check a roster (CSV: MYID or YOURID, level,
                                 name, note) and print it
  doctor                         diagnose the port(s)
  history [--car ID] [--since TIME]
                                 the stores recorded, newest first (@1, @2, ...),
                                 with the fields each changed; --port filters
  diff A B                       field by field; A and B each a backup or history
                                 file, @N (the block before history entry N;
                                 @N:sent the block it stored) or device (--port)
  undo [--force]                 put back the block the car on --port held
                                 before its latest recorded store, read back

Options:
  --port NAME     a COM name from `kx14ctl ports` (any case) or a device path
  --json          print one JSON document on stdout
  --trace FILE    log every frame with a millisecond time stamp ("-": stderr)
  --quiet         print nothing on success
  --force         program/set: send even when the read fails; backup: replace
                  FILE; restore: accept a backup of another car
  --no-verify     skip the read-back after a store
  --dry-run       program/set/restore: show what would change, send nothing
  --no-history    record nothing in the history (also KX14_HISTORY=off)
  --help, --version

Levels: S M 0 1 2 3 4 5 6 MAX, or the caption the window shows ("ハンデ＋３").
Fields: BUP YOURID MYID MASTERF OVERTAKE LASTCH MODE LOW_CH HIGH_CH ST_ADJ
        OT_MAX OT_TIME MAXPWR (flags on/off, MAXPWR in percent).
Exit status: 0 success, 1 the device failed or differed, 2 usage or input
error (nothing sent), 3 the port could not be opened.
)";
}

}  // namespace kx14::cli
