#pragma once

// A device whose every answer the test writes: on the far end of a
// pseudo-terminal pair it collects the bytes of each command and, once a whole
// command has come, writes the scripted answer, whatever it is (a short, long
// or foreign reply), so the exchange's own tests choose the bytes exactly
// rather than through the simulator's faults. Runs on its own thread; the
// pty's slave side is what the serial component opens.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "base/byte_string.h"
#include "pty_pair.h"

namespace kx14::testing {

class ScriptedDevice {
 public:
  ScriptedDevice();  // opens the pair, raw, and starts the thread; throws on failure
  ~ScriptedDevice();
  ScriptedDevice(const ScriptedDevice&) = delete;
  ScriptedDevice& operator=(const ScriptedDevice&) = delete;

  const std::string& SlavePath() const { return pty_.SlavePath(); }

  // After `commandLength` more bytes have arrived, writes `answer` in one go.
  void ExpectCommand(std::size_t commandLength, ByteString answer);
  // Writes bytes at once, unasked (line noise, a late reply).
  void Send(const ByteString& bytes);
  // Waits (up to a generous bound) until `count` bytes have arrived in all;
  // returns everything received so far.
  ByteString WaitReceived(std::size_t count);
  ByteString Received();

 private:
  struct Script {
    std::size_t commandLength;
    ByteString answer;
  };
  void Run();
  void AnswerReadyCommands();  // with mutex_ held

  // Its slave descriptor keeps the pty alive while the component reopens it.
  PtyPair pty_{PtyPair::Line::kRaw};
  int stopPipe_[2] = {-1, -1};
  std::mutex mutex_;
  std::condition_variable arrived_;
  ByteString received_;
  std::size_t consumed_ = 0;  // bytes of received_ already matched to a command
  std::deque<Script> scripts_;
  std::thread thread_;
};

}  // namespace kx14::testing
