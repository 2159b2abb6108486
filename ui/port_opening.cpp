// Closing the port list opens the chosen port on CommX1, or closes it for
// "OFF", and reports the outcome in MON_EDIT.

#include "ports/port_name_order.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/edit.h"
#include "ui/main_form.h"

namespace kx14 {
namespace {

const char* const kPortClosed = "シリアルポートを閉じました";
const char* const kPortReady = " 設定完了";
const char* const kPortUnusable = " は使用できません";

}  // namespace

void TMainForm::CommBoxCloseUp(QObject*) {
  const PortChoice choice{CommBox->ItemIndex() == 0, CommBox->currentText()};
  if (DeviceOperationRunning()) {
    // The exchange that waits must keep its port: the last choice made
    // meanwhile is applied when the operation ends.
    deferredPortChoice_ = choice;
    return;
  }
  ApplyPortChoice(choice);
}

void TMainForm::ApplyPortChoice(const PortChoice& choice) {
  if (choice.off) {
    CommX1->Close();
    MON_EDIT->SetText(QString::fromUtf8(kPortClosed));
    return;
  }
  try {
    OpenPort(choice.name);
    MON_EDIT->SetText(choice.name + QString::fromUtf8(kPortReady));
  } catch (...) {
    // Whatever failed (a name without a number, a port that is missing,
    // held by another program or refuses a setting), the port is closed now
    // and the message names the port only.
    MON_EDIT->SetText(choice.name + QString::fromUtf8(kPortUnusable));
  }
}

void TMainForm::OpenPort(const QString& name) {
  CommX1->Close();
  // Stored only: the port is closed, so this opens nothing yet.
  CommX1->SetPortNo(PortNameNumber(name.toStdString()));
  CommX1->Open();
  // A short DTR pulse, then a clean start in both directions.
  CommX1->SetDTR(true);
  CommX1->SetDTR(false);
  CommX1->PurgeTransmit();
  CommX1->PurgeReceive();
}

}  // namespace kx14
