#include "fuzz/properties/backup_document_properties.h"

#include <algorithm>
#include <optional>
#include <string>

#include "files/backup_document.h"
#include "files/exit_status.h"

namespace kx14::fuzz {
namespace {

// The reader's verdict: the block, or nothing after a refusal. Anything
// other than the input-error failure breaks a property.
std::optional<BlockBytes> Read(std::string_view text, PropertyReport& report) {
  try {
    return cli::ReadBackupDocument(text);
  } catch (const cli::CliFailure& failure) {
    report.Expect(failure.Status() == cli::TExitStatus::UsageError, "refused as an input error",
                  [&] { return std::string(failure.what()); });
  } catch (const std::exception& error) {
    report.Fail("refuses only with CliFailure", error.what());
  }
  return std::nullopt;
}

// The sum of the bytes modulo 256, computed apart from protocol/checksum.
unsigned ReferenceSum(const BlockBytes& block) {
  unsigned sum = 0;
  for (const std::uint8_t byte : block) sum += byte;
  return sum % 256;
}

// The text of the "checksum" member as written, found without the reader.
std::optional<unsigned> StatedChecksum(std::string_view text) {
  const std::size_t at = text.find("\"checksum\"");
  if (at == std::string_view::npos) return std::nullopt;
  const std::size_t quote = text.find('"', text.find(':', at));
  if (quote == std::string_view::npos || quote + 3 > text.size()) return std::nullopt;
  return static_cast<unsigned>(std::stoul(std::string(text.substr(quote + 1, 2)), nullptr, 16));
}

}  // namespace

PropertyReport CheckBackupDocument(std::span<const std::uint8_t> input) {
  PropertyReport report;
  const std::string text(input.begin(), input.end());
  if (const std::optional<BlockBytes> block = Read(text, report)) {
    const std::string rewritten = cli::BackupDocument(*block, "COM1", "t");
    report.Expect(Read(rewritten, report) == block, "an accepted block survives a rewrite");
    // With duplicate members the first is used; the stated checksum is the
    // first one when the document has no duplicates, which is the common case.
    const std::optional<unsigned> stated = StatedChecksum(rewritten);
    report.Expect(stated == ReferenceSum(*block), "the written checksum is the block's sum");
  }
  BlockBytes raw{};
  std::copy_n(input.begin(), std::min(input.size(), raw.size()), raw.begin());
  report.Expect(Read(cli::BackupDocument(raw, "COM1", "t"), report) == raw,
                "any 16 bytes survive a backup and a read");
  return report;
}

}  // namespace kx14::fuzz
