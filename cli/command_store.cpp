// The commands that store a block: program, set, restore. Each reads the
// block back after an acknowledged store unless --no-verify.

#include <iostream>

#include "files/atomic_file.h"
#include "files/backup_document.h"
#include "device/block_report.h"
#include "cli/block_source.h"
#include "cli/change_report.h"
#include "cli/commands.h"
#include "device/device_actions.h"
#include "files/exit_status.h"
#include "files/field_text.h"
#include "files/json_text.h"
#include "files/utf8_path.h"
#include "history/history_reader.h"
#include "controls/control_model.h"
#include "protocol/handicap_captions.h"

namespace kx14::cli {
namespace {

void ReadBackUnlessTold(const CommandContext& context, DeviceSession& session,
                        const BlockBytes& sent) {
  if (!context.options.noVerify) VerifyStored(session, sent);
}

const char* VerifiedText(const CommandContext& context) {
  return context.options.noVerify ? "stored (not read back)" : "stored and read back";
}

// The block that the window holds right after start: what --force stores
// beneath the named fields when the device cannot be read.
BlockBytes StartStateBlock() { return EncodeBlock(TControlModel::StartControls()); }

bool SameIdentity(const BlockBytes& a, const BlockBytes& b) {
  for (const char* name : {"YOURID", "MYID"}) {
    const BlockField& field = *FindBlockField(name);
    if (FieldValue(a, field) != FieldValue(b, field)) return false;
  }
  return true;
}

std::string IdentityText(const BlockBytes& block) {
  return "YOURID " + FieldText(block, *FindBlockField("YOURID")) + ", MYID " +
         FieldText(block, *FindBlockField("MYID"));
}

void PrintStored(const CommandContext& context, const char* command, const DeviceSession& session,
                 const BlockBytes& sent, const std::string& human) {
  if (context.options.json) {
    context.out << JsonText({{"command", command},
                             {"port", session.Port().name},
                             {"block", BlockHex(sent)},
                             {"verified", !context.options.noVerify}});
  } else if (!context.options.quiet) {
    context.out << human << "\n";
  }
}

DeviceSession OpenSession(const CommandContext& context, const char* command) {
  return DeviceSession(ChoosePort(context.options.port, context.sources), context.trace,
                       context.options.dryRun ? nullptr : context.history, command);
}

// --dry-run: what the store would change on the device, and that nothing was
// sent.
void PrintDryRun(const CommandContext& context, const char* command, const DeviceSession& session,
                 const std::optional<BlockBytes>& device, const BlockBytes& block) {
  if (context.options.json) {
    context.out << JsonText({{"command", command},
                             {"port", session.Port().name},
                             {"dry_run", true},
                             {"device", device ? Json(BlockHex(*device)) : Json()},
                             {"block", BlockHex(block)},
                             {"changes", device ? ChangesJson(*device, block) : Json()}});
    return;
  }
  context.out << session.Port().name << ": dry run, nothing sent\n";
  if (!device) {
    context.out << "the device could not be read; would store " << BlockHex(block) << "\n";
  } else {
    context.out << ChangesTable(*device, block, "device", "would store");
  }
}

}  // namespace

void RunProgram(const CommandContext& context) {
  DeviceSession session = OpenSession(context, "program");
  const THandicapPreset level = *context.options.level;
  // With --json the note goes to stderr: stdout holds one JSON document.
  std::ostream& notes = context.options.json ? std::cerr : context.out;
  // A dry run compares with the block the device holds now.
  const std::optional<BlockBytes> device =
      context.options.dryRun ? session.ReadBlock() : std::nullopt;
  const ProgramResult result =
      ProgramLevel(session, level, context.options.force, notes, context.options.dryRun);
  if (context.options.dryRun) return PrintDryRun(context, "program", session, device, result.sent);
  ReadBackUnlessTold(context, session, result.sent);
  if (context.options.json) {
    context.out << JsonText(
        {{"command", "program"},
         {"port", session.Port().name},
         {"level", std::string(HandicapShortName(level))},
         {"old_level",
          result.oldLevel ? Json(std::string(HandicapShortName(*result.oldLevel))) : Json()},
         {"block", BlockHex(result.sent)},
         {"forced", result.forced},
         {"verified", !context.options.noVerify}});
    return;
  }
  if (!context.options.quiet) {
    context.out << session.Port().name << ": level " << LevelText(level)
                << (result.oldLevel ? ", was " + LevelText(*result.oldLevel) : std::string())
                << "; " << VerifiedText(context) << "\n";
  }
}

void RunSet(const CommandContext& context) {
  DeviceSession session = OpenSession(context, "set");
  const std::optional<BlockBytes> device = session.ReadBlock();
  std::optional<BlockBytes> block = device;
  if (!block && !context.options.force) FailNoAnswer(session);
  if (!block) {
    block = StartStateBlock();
    (context.options.json ? std::cerr : context.out)
        << "the read failed: changing the window's start state (--force)" << std::endl;
  }
  std::string changed;
  for (const FieldAssignment& assignment : context.options.assignments) {
    SetFieldValue(*block, *FindBlockField(assignment.field), assignment.value);
    changed += " " + assignment.field + "=" + FieldText(*block, *FindBlockField(assignment.field));
  }
  if (context.options.dryRun) return PrintDryRun(context, "set", session, device, *block);
  StoreExactly(session, *block);
  ReadBackUnlessTold(context, session, *block);
  PrintStored(context, "set", session, *block,
              session.Port().name + ":" + changed + "; " + VerifiedText(context));
}

// A block of another car is refused unless --force, as the device's own
// identity is what tells cars apart.
void CheckSameCar(const CommandContext& context, const BlockBytes& device, const BlockBytes& block,
                  const std::string& what) {
  if (SameIdentity(device, block) || context.options.force) return;
  throw CliFailure(TExitStatus::DeviceFailed, what + " is of another car (" + IdentityText(block) +
                                                  "; the device has " + IdentityText(device) +
                                                  "); --force stores it anyway");
}

void RunUndo(const CommandContext& context) {
  const std::vector<history::HistoryEntry> entries = RecordedHistory();
  DeviceSession session = OpenSession(context, "undo");
  const BlockBytes device = ReadOrFail(session);
  const history::HistoryEntry* latest =
      history::LatestStoreTo(entries, FieldValue(device, *FindBlockField("YOURID")),
                             FieldValue(device, *FindBlockField("MYID")));
  if (latest == nullptr) {
    throw CliFailure(TExitStatus::DeviceFailed, "the history holds no store to this car (" +
                                                    IdentityText(device) + "); nothing sent");
  }
  // Going back further would skip a store whose before is unknown.
  if (!latest->before) {
    throw CliFailure(TExitStatus::DeviceFailed,
                     "the car's latest store (" + latest->time +
                         ") has no block before it: its read failed; nothing sent (an older "
                         "entry's file can be restored with restore --input)");
  }
  const BlockBytes& before = *latest->before;
  const std::string what =
      "the block before " + latest->program + " " + latest->command + " at " + latest->time;
  if (before == device) {
    if (!context.options.quiet)
      context.out << session.Port().name << " already holds " << what << "; nothing sent\n";
    return;
  }
  CheckSameCar(context, device, before, what);
  StoreExactly(session, before);
  ReadBackUnlessTold(context, session, before);
  if (context.options.json) {
    context.out << JsonText({{"command", "undo"},
                             {"port", session.Port().name},
                             {"entry", latest->id},
                             {"block", BlockHex(before)},
                             {"changes", ChangesJson(device, before)},
                             {"verified", !context.options.noVerify}});
  } else if (!context.options.quiet) {
    context.out << session.Port().name << ": put back " << what << "; " << VerifiedText(context)
                << "\n"
                << ChangesTable(device, before, "was", "now");
  }
}

void RunRestore(const CommandContext& context) {
  const BlockBytes file =
      ReadBlockDocument(ReadWholeFile(PathFromUtf8(*context.options.input), kMaxBackupDocumentSize));
  DeviceSession session = OpenSession(context, "restore");
  const std::optional<BlockBytes> device = session.ReadBlock();
  if (!device && !context.options.force) FailNoAnswer(session);
  if (device) CheckSameCar(context, *device, file, "the backup");
  if (context.options.dryRun) return PrintDryRun(context, "restore", session, device, file);
  StoreExactly(session, file);
  ReadBackUnlessTold(context, session, file);
  PrintStored(
      context, "restore", session, file,
      session.Port().name + ": restored " + *context.options.input + "; " + VerifiedText(context));
}

}  // namespace kx14::cli
