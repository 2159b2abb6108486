#pragma once

// A fresh directory under $TMPDIR (or /tmp), removed with everything in it
// when the object goes.

#include <filesystem>

namespace kx14::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace kx14::testing
