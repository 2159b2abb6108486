#pragma once

// Private to history/: what the history needs from the platform, one file
// per platform (linux/ and win32/history_platform.cpp).

#include <filesystem>
#include <optional>
#include <string>

namespace kx14::history::platform {

// The per-user data folder ($XDG_DATA_HOME or ~/.local/share; %LOCALAPPDATA%),
// or nothing when the environment names none.
std::optional<std::filesystem::path> UserDataFolder();

// This process's id, for names no other process makes.
unsigned long ProcessId();

// Renames `from` to `to`, replacing what is there in one step: a reader sees
// the old file or the new one, never a mix. Returns "" or the reason.
std::string RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);

// Puts the file and its folder's entry on the disk, so a power cut keeps it.
void FlushToDisk(const std::filesystem::path& path);

}  // namespace kx14::history::platform
