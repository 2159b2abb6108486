#pragma once

// One recorded store: the block the device held before it (an ordinary
// backup document, so `kx14ctl restore` takes it back as it is), the block
// sent, who sent it where, and how the store ended. Stored as one JSON file
// per entry:
//
//   { "format": "kx14-history-entry", "version": 1,
//     "time": "2026-12-09T22:55:01.123Z", "program": "kx14ctl",
//     "program_version": "1.0.0", "command": "program", "port": "COM3",
//     "YOURID": 1, "MYID": 2, "result": "read back equal", "detail": "",
//     "sent": "<32 hex digits>", "lost_before": 0,
//     "before": { <backup document> } or null when the read before failed }

#include <optional>
#include <string>
#include <string_view>

#include "protocol/parameter_block.h"

namespace kx14::history {

inline constexpr std::string_view kEntryFormat = "kx14-history-entry";
inline constexpr int kEntryVersion = 1;

// How a store ended, as far as the recording program saw it.
enum class TStoreResult {
  Pending,          // the frame is on its way (or the program died meanwhile)
  Acknowledged,     // the device answered 0x06; not read back (yet)
  ReadBackEqual,    // acknowledged, and a read gave the block sent
  ReadBackDiffers,  // acknowledged, but a read gave another block (detail: the fields)
  ReadBackFailed,   // acknowledged, but the read-back got no valid answer
  Refused,          // a complete reply without the acknowledgement
  NoAnswer,         // no complete reply (detail says how much came)
};

std::string_view ResultName(TStoreResult result);
std::optional<TStoreResult> ResultByName(std::string_view name);

struct HistoryEntry {
  std::string id;    // the file's name without ".json"; set by the writer and the reader
  std::string time;  // ISO 8601 UTC with milliseconds
  std::string program;
  std::string programVersion;
  std::string command;
  std::string port;
  std::optional<BlockBytes> before;  // none: the read before the store failed
  BlockBytes sent{};
  TStoreResult result = TStoreResult::Pending;
  std::string detail;
  int lostBefore = 0;  // entries this program could not write before this one

  int YourId() const;  // of the block sent
  int MyId() const;
};

// The entry's file text (one JSON document, newline at the end).
std::string EntryDocument(const HistoryEntry& entry);

// The entry of a file's text; nothing for anything that is not a whole,
// valid entry (a torn write, another file, a block that fails its checks).
std::optional<HistoryEntry> ParseEntryDocument(std::string_view text);

// "2026-12-09T22:55:01.123Z", now.
std::string UtcMillisecondTime();

}  // namespace kx14::history
