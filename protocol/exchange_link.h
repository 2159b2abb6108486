#pragma once

// The exchange over one serial port component, with what it learns about the
// line from one exchange to the next. A device may answer after the exchange
// gave up on it; such a late answer lands in a later exchange, ahead of (or
// instead of) the answer to that exchange's own command. The link makes sure
// it is never taken for that answer:
//
// - Echo. A program exchange that ends cleanly and whose reply starts with
//   the 18 bytes sent proves that this line echoes every command ahead of
//   the device's answer (18 random bytes cannot match by chance; one read
//   byte could, so reads prove nothing). From then on, until the port is
//   closed or changed, a reply must start with the echo of its own command,
//   or it is dropped like a reply that never came. A late program answer
//   carries another frame's echo, a late read answer (E5) a read's, so
//   neither passes for the other, nor for a program frame with other bytes.
// - Settling. After an exchange that did not end cleanly (no reply, short,
//   wrong checksum, refused, foreign echo), or when bytes are waiting that
//   no exchange asked for, the next exchange first discards input until the
//   line has been quiet for the settle time, and only then sends. A late
//   answer that comes within that time is discarded with the rest.
//
// A clean exchange on a quiet line costs nothing extra: no added wait, no
// added byte on the wire.
//
// What it cannot know: on a line that does not echo, an answer later than
// the time-out and the settle time together is indistinguishable from the
// answer it displaces; and on an echoing line, a late answer to a command
// with exactly the same bytes (the read command, or the same program frame)
// carries what the device answered to those same bytes a moment before.

#include <cstdint>

#include "base/byte_string.h"
#include "comm/comm_x.h"
#include "protocol/exchange_trace.h"

namespace kx14 {

class TExchangeLink {
 public:
  // `comm` must outlive the link.
  explicit TExchangeLink(TCustomCommX& comm);
  TExchangeLink(const TExchangeLink&) = delete;
  TExchangeLink& operator=(const TExchangeLink&) = delete;

  // SendReceive with the guards above: the same contract (`reply` complete
  // or empty, `command` a copy of it), except that a reply that cannot
  // belong to `command` is dropped, and that after an unclean exchange the
  // send waits for the line to settle (window messages run meanwhile).
  void SendReceive(ByteString& command, int replyLength, ByteString& reply);

  // Told of every frame sent and received and every reply that did not come
  // complete or was dropped (nullptr: nobody). Must outlive its use.
  void SetObserver(TExchangeObserver* observer) { observer_ = observer; }

  // Whether the open port has shown that it echoes each command.
  bool EchoProven() const;
  // Whether the next exchange settles the line before it sends.
  bool SettlesNext() const;

 private:
  void ForgetIfPortChanged();
  void Settle();
  void Judge(const ByteString& command, int replyLength, ByteString& reply);

  TCustomCommX& comm_;
  std::uint64_t generation_;
  bool echoProven_ = false;
  bool unsettled_ = false;
  TExchangeObserver* observer_ = nullptr;
};

}  // namespace kx14
