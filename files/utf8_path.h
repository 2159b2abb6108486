#pragma once

// File names on kx14ctl's command line are UTF-8 on every platform (Windows:
// win32/program_arguments.cpp). A std::filesystem::path made from a plain
// string reads it in the system's narrow encoding, which on Windows is not
// UTF-8, so names pass through these instead.

#include <filesystem>
#include <string>

namespace kx14::cli {

inline std::filesystem::path PathFromUtf8(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace kx14::cli
