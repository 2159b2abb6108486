#pragma once

// One opened port and what kx14ctl does over it: single exchanges (read the
// block, store a block) and the window's operations over the shared control
// model. Every exchange goes through TExchangeLink, so a late or stale reply
// is never taken for the answer.

#include <memory>
#include <optional>

#include "device/port_choice.h"
#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"
#include "history/store_recorder.h"
#include "controls/control_model.h"
#include "protocol/exchange_link.h"
#include "protocol/exchange_trace.h"

namespace kx14::cli {

// The window's controls for one run of its operations: the shared control
// model, exchanging over the session's link. Remembers the last program
// frame's block, which is what the device was asked to store.
class TLinkDeviceView final : public TControlModel {
 public:
  // A dry run sends no program frame: it keeps the block and answers as a
  // silent device would.
  TLinkDeviceView(PollMessagePump& pump, TExchangeLink& link, bool dryRun = false)
      : pump_(pump), link_(link), dryRun_(dryRun) {}
  void ProcessMessages() override { pump_.ProcessMessages(); }
  void SendReceive(ByteString& command, int replyLength, ByteString& reply) override;
  const std::optional<BlockBytes>& LastBlockSent() const { return lastBlockSent_; }

 private:
  PollMessagePump& pump_;
  TExchangeLink& link_;
  bool dryRun_;
  std::optional<BlockBytes> lastBlockSent_;
};

class DeviceSession {
 public:
  // Opens the port as the window does (exclusively, DTR pulsed, both queues
  // purged). Throws CliFailure with the port status, saying why (missing,
  // no access, held by which process) and what to try.
  // With `history`, every store made over the session is recorded there,
  // under the command's name.
  DeviceSession(const ChosenPort& port, TExchangeObserver* trace,
                history::THistoryWriter* history = nullptr, const std::string& command = "");
  ~DeviceSession();  // closes the port
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  const ChosenPort& Port() const { return port_; }
  // The read exchange: the block of a complete reply with the right
  // checksum, else nothing.
  std::optional<BlockBytes> ReadBlock();
  // The program exchange with `block` as it is: true for the acknowledgement.
  bool StoreBlock(const BlockBytes& block);
  // A fresh window (start state) whose operations exchange over this port
  // (a dry run's sends no program frame).
  std::unique_ptr<TLinkDeviceView> NewWindowView(bool dryRun = false);
  // What the read after a store found, for that store's history entry.
  void RecordReadBack(const std::optional<BlockBytes>& stored);

 private:
  ChosenPort port_;
  PollMessagePump pump_;
  TCommX comm_{pump_};
  TExchangeLink link_{comm_};
  std::unique_ptr<history::TStoreRecorder> recorder_;
};

}  // namespace kx14::cli
