#include "temp_dir.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <system_error>

namespace kx14::testing {

TempDir::TempDir() {
  // Unique within the machine: the process, and a count within it.
  static std::atomic<int> made{0};
  path_ = std::filesystem::temp_directory_path() /
          ("kx14-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace kx14::testing
