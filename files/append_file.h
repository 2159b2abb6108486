#pragma once

// A file held open for appending for as long as a run lasts, such as watch's
// log. Rows go to the file that was opened, never to whatever the name
// points at later: a log on a USB stick that is pulled must not be carried
// on in a new file of the same name in the bare mount-point folder. Each
// append is put on the disk before it counts as written.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace kx14::cli {

class AppendFile {
 public:
  // Opens `path` for appending, creating it when absent; nullptr with the
  // reason in `error` when it cannot.
  static std::unique_ptr<AppendFile> Open(const std::filesystem::path& path, std::string& error);
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Writes all of `text` at the end and flushes it to the device; false with
  // the reason in `error` when any of it may not have arrived.
  bool Append(std::string_view text, std::string& error);
  // Whether `path` still names this open file (not nothing, not a file made
  // afresh under that name).
  bool IsNamedBy(const std::filesystem::path& path) const;
  // The open file's size now (0 for a device such as /dev/null).
  std::uint64_t Size() const;
  // Whether the open file holds text after its last line break (a file cut
  // short, or a header written by hand without one): the next line must
  // start on a line of its own.
  bool EndsMidLine() const;

 private:
  explicit AppendFile(std::intptr_t handle) : handle_(handle) {}
  std::intptr_t handle_;  // the platform's file descriptor or handle
};

}  // namespace kx14::cli
