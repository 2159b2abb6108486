#pragma once

// The port list and the port opening of TMainFormLogic (included by
// form_lifecycle.h). The list is rebuilt from the machine's serial
// ports each time it drops down; closing it opens the chosen port on CommX1,
// or closes it for "OFF", and reports the outcome in MON_EDIT.

#include <string>
#include <vector>

#include "ports/com_ports.h"
#include "ports/port_list_names.h"
#include "ports/port_name_order.h"
#include "ui/form/main_form_logic.h"

namespace kx14 {

inline constexpr const char* kOffEntry = "OFF";
inline constexpr const char* kPortClosedText = "シリアルポートを閉じました";
inline constexpr const char* kPortReadySuffix = " 設定完了";
inline constexpr const char* kPortUnusableSuffix = " は使用できません";
inline constexpr const char* kPortsSkippedPrefix = "番号のないポート名を一覧から除外: ";

template <class Kit>
void TMainFormLogic<Kit>::UsePortSources(const PortSources& sources) {
  portSources_ = sources;
  // The opening must find the very device that the list shows.
  CommX1->SetPortResolver([sources](int portNo) { return ResolveComPort(portNo, sources); });
}

template <class Kit>
PortSources TMainFormLogic<Kit>::CurrentPortSources() const {
  // Read afresh each time: the machine's ports may change between two
  // drop-downs (a simulator registers itself, an adapter is plugged in).
  return portSources_ ? *portSources_ : DefaultPortSources();
}

template <class Kit>
void TMainFormLogic<Kit>::CommBoxDropDown(TComboBoxControl*) {
  UpdatePortList();
}

template <class Kit>
void TMainFormLogic<Kit>::UpdatePortList() {
  const std::string previous = CommBox->Text();
  CommBox->Clear();
  PortListNames list;
  try {
    list = ListPortNamesByNumber(CurrentPortSources());
  } catch (...) {
    // The list is left holding "OFF" alone; the error goes on to the error
    // box, and MON_EDIT keeps its text.
    RefillPortList(previous, {});
    throw;
  }
  RefillPortList(previous, list.names);
  portListNote_.clear();
  if (list.skipped.empty()) return;
  // One badly named entry costs only itself; it is named where the user
  // looks next. The list's close-up reports its port after it, so the note
  // stays in sight until the next report.
  portListNote_ = kPortsSkippedPrefix;
  for (std::size_t i = 0; i < list.skipped.size(); ++i) {
    portListNote_ += (i == 0 ? "" : ", ") + list.skipped[i].name;
  }
  MON_EDIT->SetText(portListNote_);
}

template <class Kit>
void TMainFormLogic<Kit>::ReportPortOutcome(const std::string& outcome) {
  MON_EDIT->SetText(portListNote_.empty() ? outcome : outcome + "  " + portListNote_);
  portListNote_.clear();
}

template <class Kit>
void TMainFormLogic<Kit>::RefillPortList(const std::string& previous,
                                         const std::vector<std::string>& names) {
  for (const std::string& name : names) CommBox->AddItem(name);
  CommBox->InsertItem(0, kOffEntry);
  // The first entry whose whole text matches, letter case ignored; "OFF"
  // when the port is no longer listed.
  const int found = CommBox->FindCaseless(previous);
  CommBox->SetItemIndex(found >= 0 ? found : 0);
}

template <class Kit>
void TMainFormLogic<Kit>::CommBoxCloseUp(TComboBoxControl*) {
  const PortChoice choice{CommBox->ItemIndex() == 0, CommBox->Text()};
  if (DeviceOperationRunning()) {
    // The exchange that waits must keep its port: the last choice made
    // meanwhile is applied when the operation ends.
    deferredPortChoice_ = choice;
    return;
  }
  ApplyPortChoice(choice);
}

template <class Kit>
void TMainFormLogic<Kit>::ApplyPortChoice(const PortChoice& choice) {
  if (choice.off) {
    CommX1->Close();
    ReportPortOutcome(kPortClosedText);
    return;
  }
  try {
    OpenPort(choice.name);
    ReportPortOutcome(choice.name + kPortReadySuffix);
  } catch (...) {
    // Whatever failed (a name without a number, a port that is missing,
    // held by another program or refuses a setting), the port is closed now
    // and the message names the port only.
    ReportPortOutcome(choice.name + kPortUnusableSuffix);
  }
}

template <class Kit>
void TMainFormLogic<Kit>::OpenPort(const std::string& name) {
  CommX1->Close();
  // Stored only: the port is closed, so this opens nothing yet.
  CommX1->SetPortNo(PortNameNumber(name));
  CommX1->Open();
  // A short DTR pulse, then a clean start in both directions.
  CommX1->SetDTR(true);
  CommX1->SetDTR(false);
  CommX1->PurgeTransmit();
  CommX1->PurgeReceive();
  if (historyRecorder_) historyRecorder_->SetPort(name);
}

}  // namespace kx14
