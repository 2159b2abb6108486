#pragma once

// The serial component opened as the window opens CommX1 (no flow control),
// on the device at `path` whatever COM number it is asked for.

#include <filesystem>
#include <optional>
#include <string>

#include "comm/comm_x.h"

namespace kx14::bench {

// Throws ECommError when the device cannot be opened.
inline void OpenLikeTheWindow(TCommX& comm, const std::string& path) {
  comm.SetFlowCtrl(TCommFlowCtrls::cfcNone);
  comm.SetPortResolver([path](int) { return std::optional<std::filesystem::path>(path); });
  comm.SetPortNo(1);
  comm.Open();
}

}  // namespace kx14::bench
