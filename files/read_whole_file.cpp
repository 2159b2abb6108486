#include <cerrno>
#include <cstring>
#include <fstream>

#include "files/atomic_file.h"
#include "files/exit_status.h"
#include "files/utf8_path.h"

namespace kx14::cli {

namespace fs = std::filesystem;

std::string ReadWholeFile(const fs::path& path, std::size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw UsageFailure("cannot read " + Utf8FromPath(path) + ": " + std::strerror(errno));
  std::string text(limit + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) throw UsageFailure("cannot read " + Utf8FromPath(path));
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (text.size() > limit) throw UsageFailure(Utf8FromPath(path) + " is too large");
  return text;
}

}  // namespace kx14::cli
