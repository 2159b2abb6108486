#include "history/store_recorder.h"

#include "files/block_difference.h"
#include "protocol/frames.h"

namespace kx14::history {

TStoreRecorder::TStoreRecorder(THistoryWriter& writer, StoreOrigin origin, TExchangeObserver* next)
    : writer_(writer), origin_(std::move(origin)), next_(next) {}

void TStoreRecorder::FrameSent(const ByteString& command) {
  exchange_ = TExchangeKind::None;
  if (command == ReadCommandFrame()) {
    exchange_ = TExchangeKind::Read;
    lastRead_.reset();
  } else if (const std::optional<BlockBytes> block = ParseProgramCommand(command)) {
    exchange_ = TExchangeKind::Program;
    BeginStore(*block);
  }
  if (next_ != nullptr) next_->FrameSent(command);
}

void TStoreRecorder::FrameReceived(const ByteString& reply) {
  if (exchange_ == TExchangeKind::Read) lastRead_ = ParseReadReply(reply);
  if (exchange_ == TExchangeKind::Program) {
    // The link may still drop this reply (ReplyMissing follows, and wins).
    if (IsProgramAccepted(reply)) {
      EndStore(TStoreResult::Acknowledged, "");
    } else {
      EndStore(TStoreResult::Refused, "the reply did not end with 06");
    }
  }
  if (next_ != nullptr) next_->FrameReceived(reply);
}

void TStoreRecorder::ReplyMissing(int expected, int received) {
  if (exchange_ == TExchangeKind::Read) lastRead_.reset();
  if (exchange_ == TExchangeKind::Program) {
    EndStore(TStoreResult::NoAnswer, TExchangeTrace::MissingText(expected, received));
  }
  if (next_ != nullptr) next_->ReplyMissing(expected, received);
}

void TStoreRecorder::ReadBack(const std::optional<BlockBytes>& stored) {
  if (!entry_ || entry_->result != TStoreResult::Acknowledged) return;
  if (!stored) return EndStore(TStoreResult::ReadBackFailed, "");
  if (*stored == entry_->sent) return EndStore(TStoreResult::ReadBackEqual, "");
  EndStore(TStoreResult::ReadBackDiffers,
           cli::JoinNames(cli::DifferingFields(entry_->sent, *stored)));
}

void TStoreRecorder::BeginStore(const BlockBytes& sent) {
  entry_ = HistoryEntry{"",
                        UtcMillisecondTime(),
                        origin_.program,
                        origin_.programVersion,
                        origin_.command,
                        origin_.port,
                        lastRead_,
                        sent,
                        TStoreResult::Pending,
                        lastRead_ ? "" : "the read before the store failed",
                        0};
  entryWritten_ = writer_.Write(*entry_);
}

void TStoreRecorder::EndStore(TStoreResult result, std::string detail) {
  if (!entry_) return;
  entry_->result = result;
  if (!entry_->before && !detail.empty())
    detail = "the read before the store failed; " + detail;
  else if (!entry_->before)
    detail = "the read before the store failed";
  entry_->detail = std::move(detail);
  if (entryWritten_) writer_.Update(*entry_);
}

}  // namespace kx14::history
