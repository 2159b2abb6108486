#include "cli/doctor/text_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>

namespace kx14::cli {

std::optional<std::string> ReadSmallFile(const std::filesystem::path& file) {
  constexpr std::size_t kLimit = 64 * 1024;
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return std::nullopt;
  std::string text;
  std::array<char, 4096> buffer{};
  ssize_t count = 0;
  while (text.size() < kLimit && (count = ::read(fd, buffer.data(), buffer.size())) > 0) {
    text.append(buffer.data(), static_cast<std::size_t>(count));
  }
  ::close(fd);
  if (count < 0) return std::nullopt;
  return text;
}

std::optional<std::string> ReadFirstLine(const std::filesystem::path& file) {
  auto text = ReadSmallFile(file);
  if (!text) return std::nullopt;
  text->erase(std::min(text->find('\n'), text->size()));
  return text;
}

std::vector<std::string> SplitFields(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1) {
    fields.push_back(text.substr(start, end - start));
  }
  fields.push_back(text.substr(start));
  return fields;
}

}  // namespace kx14::cli
