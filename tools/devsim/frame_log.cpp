#include "tools/devsim/frame_log.h"

#include <cerrno>
#include <system_error>

#include "protocol/hex_bytes.h"

namespace kx14::devsim {
namespace {

std::string_view Keyword(FrameEvent::Kind kind) {
  switch (kind) {
    case FrameEvent::Kind::kReceived:
      return "rx";
    case FrameEvent::Kind::kSent:
      return "tx";
    case FrameEvent::Kind::kStored:
      return "stored";
    case FrameEvent::Kind::kDropped:
      return "drop";
    case FrameEvent::Kind::kExpired:
      return "expired";
  }
  return "?";
}

void WriteLine(std::FILE* out, std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), out);
  std::fputc('\n', out);
  std::fflush(out);
}

}  // namespace

std::string FormatFrameEvent(const FrameEvent& event) {
  std::string line(Keyword(event.kind));
  if (!event.bytes.empty()) line += ' ' + HexBytes(event.bytes);
  return line;
}

FrameLog::FrameLog(const std::string& path) : file_(std::fopen(path.c_str(), "we")) {
  if (file_ == nullptr) throw std::system_error(errno, std::generic_category(), path);
}

FrameLog::~FrameLog() {
  if (file_ != nullptr) std::fclose(file_);
}

void FrameLog::Line(std::string_view line) {
  WriteLine(stdout, line);
  if (file_ != nullptr) WriteLine(file_, line);
}

}  // namespace kx14::devsim
