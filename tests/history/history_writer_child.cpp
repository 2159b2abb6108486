// A program that records stores as fast as it can, for the tests of several
// processes at once and of a process killed mid-entry:
//   history_writer_child FOLDER COUNT   (COUNT 0: until killed)
// Each store is recorded as kx14ctl records it: a pending entry, then its
// result. One line "wrote ID" once an entry's pending version is in place.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "history/history_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  using namespace kx14::history;
  THistoryWriter writer(
      argv[1], [](const std::string& failure) { std::fprintf(stderr, "%s\n", failure.c_str()); });
  const long count = std::strtol(argv[2], nullptr, 10);
  for (long i = 0; count == 0 || i < count; ++i) {
    HistoryEntry entry;
    entry.time = UtcMillisecondTime();
    entry.program = "history_writer_child";
    entry.command = "store";
    entry.port = "COM" + std::to_string(i % 9 + 1);
    entry.before = kx14::BlockBytes{0x5A, 0, 0, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 5, 3, 0x51};
    entry.sent = *entry.before;
    entry.sent[13] = static_cast<std::uint8_t>(i % 250 + 1);
    if (!writer.Write(entry)) return 1;
    std::printf("wrote %s\n", entry.id.c_str());
    std::fflush(stdout);
    entry.result = TStoreResult::Acknowledged;
    writer.Update(entry);
  }
  writer.Drain();
  return writer.TakeFailures().empty() ? 0 : 1;
}
