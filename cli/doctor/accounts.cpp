#include "cli/doctor/accounts.h"

#include <limits>
#include <sstream>

#include "cli/doctor/text_files.h"
#include "base/integer_text.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

// A user, group or other id: decimal digits within the type's range.
template <typename Number>
std::optional<Number> ParseId(const std::string& text) {
  const auto value = ReadDigits(text, 10, std::numeric_limits<Number>::max());
  if (!value) return std::nullopt;
  return static_cast<Number>(*value);
}

// The whitespace-separated numbers after "Key:" in a status line.
std::vector<unsigned> StatusNumbers(const std::string& line) {
  std::istringstream words(line.substr(line.find(':') + 1));
  std::vector<unsigned> numbers;
  for (std::string word; words >> word;) {
    if (const auto n = ParseId<unsigned>(word)) numbers.push_back(*n);
  }
  return numbers;
}

// The colon-separated lines of a passwd-like file.
std::vector<std::vector<std::string>> Records(const fs::path& file) {
  std::vector<std::vector<std::string>> records;
  std::istringstream lines(ReadSmallFile(file).value_or(""));
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line[0] != '#') records.push_back(SplitFields(line, ':'));
  }
  return records;
}

}  // namespace

std::optional<ProcessCredentials> ReadProcessCredentials(const fs::path& procRoot) {
  const auto status = ReadSmallFile(procRoot / "self" / "status");
  if (!status) return std::nullopt;
  ProcessCredentials credentials;
  bool haveUid = false, haveGid = false;
  std::istringstream lines(*status);
  for (std::string line; std::getline(lines, line);) {
    const std::vector<unsigned> numbers = StatusNumbers(line);
    // Uid: real effective saved filesystem
    if (line.rfind("Uid:", 0) == 0 && numbers.size() >= 2) {
      credentials.uid = numbers[1];
      haveUid = true;
    } else if (line.rfind("Gid:", 0) == 0 && numbers.size() >= 2) {
      credentials.gid = numbers[1];
      haveGid = true;
    } else if (line.rfind("Groups:", 0) == 0) {
      credentials.groups.assign(numbers.begin(), numbers.end());
    }
  }
  if (!haveUid || !haveGid) return std::nullopt;
  return credentials;
}

std::optional<GroupEntry> FindGroup(const fs::path& etcRoot, gid_t gid) {
  for (const auto& fields : Records(etcRoot / "group")) {
    if (fields.size() < 4 || ParseId<gid_t>(fields[2]) != gid) continue;
    GroupEntry entry{fields[0], gid, {}};
    if (!fields[3].empty()) entry.members = SplitFields(fields[3], ',');
    return entry;
  }
  return std::nullopt;
}

std::optional<UserEntry> FindUser(const fs::path& etcRoot, uid_t uid) {
  for (const auto& fields : Records(etcRoot / "passwd")) {
    if (fields.size() < 4 || ParseId<uid_t>(fields[2]) != uid) continue;
    if (const auto group = ParseId<gid_t>(fields[3])) return UserEntry{fields[0], *group};
  }
  return std::nullopt;
}

}  // namespace kx14::cli
