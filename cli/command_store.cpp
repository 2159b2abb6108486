// The commands that store a block: program, set, restore. Each reads the
// block back after an acknowledged store unless --no-verify.

#include <iostream>

#include "cli/atomic_file.h"
#include "cli/backup_document.h"
#include "cli/block_report.h"
#include "cli/commands.h"
#include "cli/device_actions.h"
#include "cli/exit_status.h"
#include "cli/field_text.h"
#include "cli/json_text.h"
#include "cli/utf8_path.h"
#include "protocol/control_model.h"
#include "protocol/handicap_captions.h"

namespace kx14::cli {
namespace {

constexpr std::size_t kMaxBackupSize = 64 * 1024;

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

}  // namespace

void RunProgram(const CommandContext& context) {
  DeviceSession session(ChoosePort(context.options.port, context.sources), context.trace);
  const THandicapPreset level = *context.options.level;
  // With --json the note goes to stderr: stdout holds one JSON document.
  std::ostream& notes = context.options.json ? std::cerr : context.out;
  const ProgramResult result = ProgramLevel(session, level, context.options.force, notes);
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
  DeviceSession session(ChoosePort(context.options.port, context.sources), context.trace);
  std::optional<BlockBytes> block = session.ReadBlock();
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
  StoreExactly(session, *block);
  ReadBackUnlessTold(context, session, *block);
  PrintStored(context, "set", session, *block,
              session.Port().name + ":" + changed + "; " + VerifiedText(context));
}

void RunRestore(const CommandContext& context) {
  const BlockBytes file =
      ReadBackupDocument(ReadWholeFile(PathFromUtf8(*context.options.input), kMaxBackupSize));
  DeviceSession session(ChoosePort(context.options.port, context.sources), context.trace);
  const std::optional<BlockBytes> device = session.ReadBlock();
  if (!device && !context.options.force) FailNoAnswer(session);
  if (device && !SameIdentity(*device, file) && !context.options.force) {
    throw CliFailure(TExitStatus::DeviceFailed,
                     "the backup is of another car (" + IdentityText(file) + "; the device has " +
                         IdentityText(*device) + "); --force restores it anyway");
  }
  StoreExactly(session, file);
  ReadBackUnlessTold(context, session, file);
  PrintStored(
      context, "restore", session, file,
      session.Port().name + ": restored " + *context.options.input + "; " + VerifiedText(context));
}

}  // namespace kx14::cli
