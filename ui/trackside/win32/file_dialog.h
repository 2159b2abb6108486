#pragma once

// The system's own dialogs for a file to open (the roster) or to write (the
// log), as a function the window is given: tests answer it without a dialog.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "ui/trackside/file_choice.h"

namespace kx14::trackside {

// The path chosen (UTF-8), or nothing when the dialog was cancelled.
using FileDialog = std::function<std::optional<std::string>(HWND owner, TFileChoice choice)>;

// GetOpenFileNameW and GetSaveFileNameW, for CSV files.
std::optional<std::string> SystemFileDialog(HWND owner, TFileChoice choice);

}  // namespace kx14::trackside
