#pragma once

// The simulator's log: one line per event, a keyword and then hex bytes or
// words, so tests can parse it.
//
//   port COM3 /dev/pts/4       registered COM name and the pseudo-terminal
//   rx E5                      a complete command from the host
//   tx E5 5A 00 ... 51 B6      a reply, as it goes out (faults applied)
//   stored 5A 00 ... 51        the block the device now holds
//   drop 12 34                 bytes that start no command, dropped
//   expired F5 5A 00           a program frame incomplete for 500 ms, dropped
//   ctl mode silent            a control command applied
//   ctl error <message>        a control command refused
//   exit COM3 removed          the end; "kept" when the entry was no longer ours

#include <cstdio>
#include <string>
#include <string_view>

#include "tools/devsim/device_responder.h"

namespace kx14::devsim {

std::string FormatFrameEvent(const FrameEvent& event);

// Writes each line to stdout and, when opened with a path, to that file,
// flushing both at once so a reader never sees half a line.
class FrameLog {
 public:
  FrameLog() = default;
  // Truncates or creates the file; throws std::system_error when it cannot.
  explicit FrameLog(const std::string& path);
  ~FrameLog();
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  void Line(std::string_view line);

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace kx14::devsim
