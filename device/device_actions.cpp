#include "device/device_actions.h"

#include "device/block_report.h"
#include "files/exit_status.h"
#include "protocol/block_fields.h"
#include "protocol/device_operations.h"

namespace kx14::cli {
namespace {

CliFailure DeviceFailure(const std::string& message) {
  return CliFailure(TExitStatus::DeviceFailed, message);
}

std::string NoAnswer(const DeviceSession& session) {
  return "the device on " + session.Port().name +
         " did not answer the read (no reply or a bad checksum); is it plugged in and on?";
}

}  // namespace

void FailNoAnswer(const DeviceSession& session) {
  throw DeviceFailure(NoAnswer(session) + " Nothing was sent.");
}

BlockBytes ReadOrFail(DeviceSession& session) {
  const std::optional<BlockBytes> block = session.ReadBlock();
  if (!block) FailNoAnswer(session);
  return *block;
}

ProgramResult ProgramLevel(DeviceSession& session, THandicapPreset level, bool force,
                           std::ostream& notes, bool dryRun) {
  const std::unique_ptr<TLinkDeviceView> window = session.NewWindowView(dryRun);
  TDeviceOperations operations(*window);
  ProgramResult result;
  if (operations.Read() == TOperationOutcome::ooReadSucceeded) {
    result.oldLevel = window->Preset();
  } else if (force) {
    result.forced = true;
    notes << "the read failed: sending the window's start state with level " << LevelText(level)
          << " (--force)" << std::endl;
  } else {
    throw DeviceFailure(NoAnswer(session) + " Nothing was sent (--force sends anyway).");
  }
  window->ClickPreset(level);
  const TOperationOutcome outcome = operations.Program();
  if (!window->LastBlockSent()) throw DeviceFailure("no block was sent");
  result.sent = *window->LastBlockSent();
  if (!dryRun && outcome != TOperationOutcome::ooProgramSucceeded) {
    throw DeviceFailure("the device on " + session.Port().name +
                        " did not acknowledge the store (refused, or no answer)");
  }
  return result;
}

void StoreExactly(DeviceSession& session, const BlockBytes& block) {
  if (!session.StoreBlock(block)) {
    throw DeviceFailure("the device on " + session.Port().name +
                        " did not acknowledge the store (refused, or no answer)");
  }
}

void VerifyStored(DeviceSession& session, const BlockBytes& sent) {
  const std::optional<BlockBytes> stored = session.ReadBlock();
  session.RecordReadBack(stored);
  if (!stored) {
    throw DeviceFailure("the store was acknowledged, but the read-back got no valid answer");
  }
  if (*stored != sent) {
    throw DeviceFailure("read-back differs from what was sent in " +
                        JoinNames(DifferingFields(sent, *stored)) +
                        ": the device stored something else");
  }
}

}  // namespace kx14::cli
