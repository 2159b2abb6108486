#pragma once

// Small text files of sysfs, procfs and /etc, read without blocking.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kx14::cli {

// The file's text (at most 64 KiB), or nothing when it cannot be read.
// Opened non-blocking, so a FIFO in a tree handed to us cannot stall.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& file);
// The first line without its line end ("" for an empty file), or nothing.
std::optional<std::string> ReadFirstLine(const std::filesystem::path& file);
// Splits at every `separator`; "a::b" gives three fields.
std::vector<std::string> SplitFields(const std::string& text, char separator);

}  // namespace kx14::cli
