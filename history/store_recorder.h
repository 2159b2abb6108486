#pragma once

// Records every store made over one exchange link, seen from its frames: an
// exchange observer that the link tells of each frame, so every front end
// (the window, each kx14ctl command, each watched port) records the same way
// without code of its own in its operations.
//
// - A read's reply, when complete and with the right checksum, is kept as
//   the block the device holds; a read that fails forgets it.
// - A program frame is recorded as a pending entry, with the block the last
//   read found (or none, marked so, when that read failed), before the frame
//   goes out: a program killed mid-store leaves the block that was there.
// - Its reply turns the entry into its result (acknowledged, refused, no
//   answer); ReadBack adds what a read-back found.
//
// Every event is passed on to `next` (the trace), unchanged. A history that
// cannot be written never stops the exchange: the writer says so.

#include <optional>
#include <string>

#include "history/history_entry.h"
#include "history/history_writer.h"
#include "protocol/exchange_trace.h"

namespace kx14::history {

// Who records: the program, its version, the command ("program", "Program
// button", ...) and the port's name.
struct StoreOrigin {
  std::string program;
  std::string programVersion;
  std::string command;
  std::string port;
};

class TStoreRecorder final : public TExchangeObserver {
 public:
  // `writer` and `next` (nullptr: none) must outlive the recorder.
  TStoreRecorder(THistoryWriter& writer, StoreOrigin origin, TExchangeObserver* next);

  void FrameSent(const ByteString& command) override;
  void FrameReceived(const ByteString& reply) override;
  void ReplyMissing(int expected, int received) override;

  // What a read after the last acknowledged store found (nothing: no valid
  // answer); recorded with that store.
  void ReadBack(const std::optional<BlockBytes>& stored);
  // The port's name, when it changes (the window's port list).
  void SetPort(std::string port) { origin_.port = std::move(port); }
  // The last entry written (for undo's own record and the tests).
  const std::optional<HistoryEntry>& LastEntry() const { return entry_; }

 private:
  enum class TExchangeKind { None, Read, Program };
  void BeginStore(const BlockBytes& sent);
  void EndStore(TStoreResult result, std::string detail);

  THistoryWriter& writer_;
  StoreOrigin origin_;
  TExchangeObserver* next_;
  TExchangeKind exchange_ = TExchangeKind::None;
  std::optional<BlockBytes> lastRead_;
  std::optional<HistoryEntry> entry_;
  bool entryWritten_ = false;
};

}  // namespace kx14::history
