// The commands that only read: read, backup, verify.

#include <ostream>

#include "files/atomic_file.h"
#include "files/backup_document.h"
#include "device/block_report.h"
#include "cli/commands.h"
#include "device/device_actions.h"
#include "files/exit_status.h"
#include "files/field_text.h"
#include "files/json_text.h"
#include "files/utf8_path.h"

namespace kx14::cli {
namespace {

void PrintComparison(const CommandContext& context, const std::vector<FieldChange>& differences,
                     bool same) {
  const std::string& input = *context.options.input;
  if (context.options.json) {
    Json listed = Json::array();
    for (const FieldChange& d : differences) {
      listed.push_back({{"field", d.field->name}, {"file", d.from}, {"device", d.to}});
    }
    context.out << JsonText({{"command", "verify"},
                             {"input", input},
                             {"match", same},
                             {"differences", std::move(listed)}});
    return;
  }
  for (const FieldChange& d : differences) {
    context.out << d.field->name << ": file " << d.from << ", device " << d.to << "\n";
  }
  if (same && !context.options.quiet) context.out << "the device matches " << input << "\n";
}

}  // namespace

void RunRead(const CommandContext& context) {
  DeviceSession session(ChoosePort(context.options.port, context.sources), context.trace);
  const BlockBytes block = ReadOrFail(session);
  if (context.options.json) {
    context.out << BackupDocument(block, session.Port().name, UtcTimestamp());
  } else if (!context.options.quiet) {
    context.out << BlockTable(block);
  }
}

void RunBackup(const CommandContext& context) {
  const std::filesystem::path output = PathFromUtf8(*context.options.output);
  // Refused before the device is asked: nothing happens after a usage error.
  if (!context.options.force && std::filesystem::exists(output)) {
    throw UsageFailure(Utf8FromPath(output) + " exists (--force replaces it)");
  }
  DeviceSession session(ChoosePort(context.options.port, context.sources), context.trace);
  const BlockBytes block = ReadOrFail(session);
  WriteFileAtomically(output, BackupDocument(block, session.Port().name, UtcTimestamp()),
                      context.options.force);
  if (context.options.json) {
    context.out << JsonText({{"command", "backup"},
                             {"port", session.Port().name},
                             {"output", Utf8FromPath(output)},
                             {"block", BlockHex(block)}});
  } else if (!context.options.quiet) {
    context.out << "saved the block of " << session.Port().name << " to " << Utf8FromPath(output)
                << "\n";
  }
}

void RunVerify(const CommandContext& context) {
  const BlockBytes file =
      ReadBackupDocument(ReadWholeFile(PathFromUtf8(*context.options.input), kMaxBackupDocumentSize));
  DeviceSession session(ChoosePort(context.options.port, context.sources), context.trace);
  const BlockBytes device = ReadOrFail(session);
  const std::vector<FieldChange> differences = FieldChanges(file, device);
  const bool same = file == device;
  PrintComparison(context, differences, same);
  if (!same) {
    std::vector<std::string> names;
    for (const FieldChange& d : differences) names.emplace_back(d.field->name);
    if (names.empty()) names = DifferingFields(file, device);
    throw CliFailure(
        TExitStatus::DeviceFailed,
        "the device differs from " + *context.options.input + " in " + JoinNames(names));
  }
}

}  // namespace kx14::cli
