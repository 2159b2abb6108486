#include "protocol/send_receive.h"

#include <array>
#include <thread>

namespace kx14 {
namespace {

// The device gets exactly one chance to answer a command; a second attempt
// would send a program frame twice.
constexpr int kAttempts = 1;

bool IsReceivableLength(int replyLength) {
  return replyLength >= 0 && replyLength <= kReceiveBufferSize;
}

// One attempt. Returns the count that Read returned (0 when nothing is read);
// `reply` holds the reply only when it came complete.
int Attempt(TCustomCommX& comm, const ByteString& command, int replyLength, ByteString& reply) {
  ByteString working = command;  // `command` may be the caller's `reply`
  reply.clear();
  comm.PurgeReceive();
  comm.WriteString(working);
  working.clear();
  if (replyLength == 0) return 0;

  std::array<char, kReceiveBufferSize> buffer{};
  const int received = comm.Read(buffer.data(), replyLength);
  if (received == replyLength) {
    working.assign(buffer.data(), static_cast<std::size_t>(replyLength));
    reply = working;
  }
  return received;
}

}  // namespace

int SendReceive(TCustomCommX& comm, ByteString& command, int replyLength, ByteString& reply) {
  // Lets other threads (the serial workers among them) run before the
  // window's thread starts another exchange: the equivalent of a sleep of 0.
  std::this_thread::yield();
  // Copied before `reply` is cleared: the caller may pass one string as both.
  const ByteString sent = command;
  reply.clear();
  if (!IsReceivableLength(replyLength)) {
    command.clear();
    return 0;
  }
  int received = 0;
  for (int attemptsLeft = kAttempts; attemptsLeft > 0; --attemptsLeft) {
    received = Attempt(comm, sent, replyLength, reply);
    if (received == replyLength) break;
  }
  command = reply;
  return received;
}

}  // namespace kx14
