#pragma once

// The backup file: a JSON document that holds the parameter block exactly as
// the device sent it, with its checksum and the decoded fields for people to
// read. `read --json` prints the same shape.
//
//   { "format": "kx14-parameter-block", "version": 1, "port": "COM3",
//     "time": "2026-12-08T14:00:00Z", "block": "<32 uppercase hex digits>",
//     "checksum": "<2 hex digits>", "fields": { "BUP": 90, ..., "MASTERF": "off", ... } }

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "protocol/parameter_block.h"

namespace kx14::cli {

// The largest backup (or block) document read: a real one is well under 2 KB,
// and a larger file is not one of ours.
inline constexpr std::size_t kMaxBackupDocumentSize = 64 * 1024;

inline constexpr std::string_view kBackupFormat = "kx14-parameter-block";
inline constexpr int kBackupVersion = 1;

// The document for `block`, read from `port` at `time` (ISO 8601, UTC).
std::string BackupDocument(const BlockBytes& block, std::string_view port, std::string_view time);

// The block of a backup document. Refuses (CliFailure with the usage status
// and a message naming the fault) text that is not JSON, another format or
// version, a block that is not 16 bytes of hex, a checksum that does not
// match, and fields that are missing, unknown or disagree with the block.
BlockBytes ReadBackupDocument(std::string_view text);

// "5A0000…": 32 uppercase hex digits.
std::string BlockHex(const BlockBytes& block);
// The time now as "YYYY-MM-DDTHH:MM:SSZ".
std::string UtcTimestamp();
// `when` as "YYYY-MM-DDTHH:MM:SSZ", or "YYYY-MM-DDTHH:MM:SS.mmmZ" with
// `milliseconds`.
std::string UtcTimeText(std::chrono::sys_time<std::chrono::milliseconds> when, bool milliseconds);

}  // namespace kx14::cli
