#pragma once

// The read and program operations behind the window's READ_BTN and
// PROGRAM_BTN, free of any toolkit: they work on the decoded block and on the
// window through TDeviceView.

#include "protocol/device_view.h"

namespace kx14 {

enum class TOperationOutcome {
  ooIgnored,           // another operation was in progress: nothing done, nothing shown
  ooReadSucceeded,     // "読み取り成功"
  ooReadFailed,        // "読み取り失敗"
  ooProgramSucceeded,  // "書き込み成功"
  ooProgramFailed,     // "書き込み失敗"
};

class TDeviceOperations {
 public:
  // `view` must outlive the operations object.
  explicit TDeviceOperations(TDeviceView& view);
  TDeviceOperations(const TDeviceOperations&) = delete;
  TDeviceOperations& operator=(const TDeviceOperations&) = delete;

  // READ_BTNClick: fetches the block with the read command; on a complete
  // reply with the right checksum sets every control from it in the window's
  // order, shows "読み取り成功" and selects the handicap preset for OT_MAX's
  // value. Otherwise shows "読み取り失敗" and changes no control.
  TOperationOutcome Read();

  // PROGRAM_BTNClick: a preliminary read refreshes BUP, the two identifiers
  // and the five channel and adjustment bars ("読み取り成功"), or changes
  // nothing ("読み取り失敗"); either way OVERTAKE is set, OT_TIME set to
  // 3 and MAXPWR to 74 %, and the block built from the controls as they
  // then stand is sent. "書き込み成功" only for a complete reply ending in
  // the acknowledgement, else "書き込み失敗".
  TOperationOutcome Program();

  // True while Read or Program runs. Window messages run during the
  // exchange, so a second press can arrive then: Read and Program ignore it
  // (no queueing, nothing shown), and the window defers a port change until
  // Busy() turns false, so the port never changes under a waiting exchange.
  bool Busy() const { return busy_; }

 private:
  class BusyScope;

  TOperationOutcome RunRead();
  TOperationOutcome RunProgram();

  TDeviceView& view_;
  bool busy_ = false;
};

}  // namespace kx14
