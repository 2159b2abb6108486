// Every file of the fuzz targets' corpus, seeds and past findings alike, must
// keep its target's properties in every build, not only when a fuzzer runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "fuzz/properties/backup_document_properties.h"
#include "fuzz/properties/history_entry_properties.h"
#include "fuzz/properties/device_responder_properties.h"
#include "fuzz/properties/frame_properties.h"
#include "fuzz/properties/port_name_properties.h"
#include "fuzz/properties/ports_directory_properties.h"
#include "fuzz/properties/roster_properties.h"
#include "fuzz/properties/watch_log_properties.h"
#include "fuzz/properties/typed_number_properties.h"

namespace kx14::fuzz {
namespace {

namespace fs = std::filesystem;

struct FuzzTarget {
  std::string corpus;  // fuzz/corpus/<corpus>
  PropertyReport (*check)(std::span<const std::uint8_t>);
};

void PrintTo(const FuzzTarget& target, std::ostream* os) { *os << target.corpus; }

std::vector<std::uint8_t> ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> CorpusFiles(const std::string& corpus) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(fs::path(KX14_FUZZ_CORPUS_DIR) / corpus)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class CorpusReplay : public testing::TestWithParam<FuzzTarget> {};

TEST_P(CorpusReplay, EveryCorpusFileKeepsEveryProperty) {
  const FuzzTarget& target = GetParam();
  const std::vector<fs::path> files = CorpusFiles(target.corpus);
  ASSERT_FALSE(files.empty()) << "no seeds for " << target.corpus;
  for (const fs::path& file : files) {
    const std::vector<std::uint8_t> bytes = ReadBytes(file);
    const PropertyReport report = target.check(bytes);
    EXPECT_TRUE(report.Passed()) << file.filename() << ":\n" << report.Summary();
  }
}

TEST_P(CorpusReplay, EmptyInputKeepsEveryProperty) {
  const PropertyReport report = GetParam().check({});
  EXPECT_TRUE(report.Passed()) << report.Summary();
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusReplay,
                         testing::Values(FuzzTarget{"typed_number", CheckTypedNumber},
                                         FuzzTarget{"frames", CheckFrames},
                                         FuzzTarget{"device_responder", CheckDeviceResponder},
                                         FuzzTarget{"port_names", CheckPortNames},
                                         FuzzTarget{"ports_directory", CheckPortsDirectory},
                                         FuzzTarget{"backup_document", CheckBackupDocument},
                                         FuzzTarget{"roster", CheckRoster},
                                         FuzzTarget{"watch_log", CheckWatchLog},
                                         FuzzTarget{"history_entry", CheckHistoryEntry}),
                         [](const testing::TestParamInfo<FuzzTarget>& p) {
                           return p.param.corpus;
                         });

}  // namespace
}  // namespace kx14::fuzz
