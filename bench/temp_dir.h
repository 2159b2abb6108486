#pragma once

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.

#include <filesystem>
#include <string>

namespace kx14::bench {

class TempDir {
 public:
  // Throws std::runtime_error when it cannot be made.
  explicit TempDir(const std::string& prefix);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace kx14::bench
