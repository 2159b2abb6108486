#pragma once

// Whole files for the backup commands.

#include <filesystem>
#include <string>

namespace kx14::cli {

// Writes `text` to a temporary file beside `path`, flushes it to the disk,
// then puts it in place: an interrupted write never leaves a partial file at
// `path`. Without `replace` an existing `path` is never touched (the check
// and the placing are one step) and the call fails. Throws CliFailure with
// the usage status, naming the path and the reason; the temporary file is
// removed.
void WriteFileAtomically(const std::filesystem::path& path, const std::string& text, bool replace);

// The file's contents; CliFailure (usage status) when it cannot be read or is
// larger than `limit` bytes.
std::string ReadWholeFile(const std::filesystem::path& path, std::size_t limit);

}  // namespace kx14::cli
