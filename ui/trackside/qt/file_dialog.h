#pragma once

// The system's own dialog for a file to open or to write, as a function the
// window is given: tests answer it without a dialog.

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "ui/trackside/file_choice.h"

namespace kx14::trackside {

// The path chosen (UTF-8), or nothing when the dialog was cancelled.
using FileDialog = std::function<std::optional<std::string>(QWidget* parent, TFileChoice choice)>;

// The desktop's own open and save dialogs, for CSV files.
std::optional<std::string> SystemFileDialog(QWidget* parent, TFileChoice choice);

}  // namespace kx14::trackside
