// The command buttons: the read and program operations of protocol/ run over
// this window, and what arrives while they wait for the device is held back
// until they end.

#include <utility>

#include "protocol/checksum.h"
#include "ui/main_form.h"

namespace kx14 {

void TMainForm::READ_BTNClick(QObject*) { RunDeviceOperation(&TDeviceOperations::Read); }

void TMainForm::PROGRAM_BTNClick(QObject*) { RunDeviceOperation(&TDeviceOperations::Program); }

void TMainForm::SendReceive(ByteString& command, int replyLength, ByteString& reply) {
  exchangeLink_->SendReceive(command, replyLength, reply);
}

void TMainForm::AddCheckSum(ByteString& bytes) { kx14::AddCheckSum(bytes); }

bool TMainForm::DeviceOperationRunning() const { return deviceOperations_->Busy(); }

void TMainForm::RunDeviceOperation(TOperationOutcome (TDeviceOperations::*operation)()) {
  if (DeviceOperationRunning()) {
    // A press inside the wait of another operation: the operations object
    // ignores it, and the outer call is the one that finishes up.
    (deviceOperations_.get()->*operation)();
    return;
  }
  (deviceOperations_.get()->*operation)();
  ApplyDeferredRequests();
}

void TMainForm::ApplyDeferredRequests() {
  const std::optional<PortChoice> choice = std::exchange(deferredPortChoice_, std::nullopt);
  if (closeDeferred_) {
    // The window is closing: a port choice made meanwhile no longer matters.
    closeDeferred_ = false;
    close();
    return;
  }
  // After the operation's own text, with the usual messages.
  if (choice) ApplyPortChoice(*choice);
}

}  // namespace kx14
