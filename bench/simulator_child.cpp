#include "bench/simulator_child.h"

#include <sstream>
#include <stdexcept>

namespace kx14::bench {
namespace {

std::vector<std::string> CommandLine(const std::filesystem::path& binary,
                                     const std::vector<std::string>& options) {
  std::vector<std::string> argv{binary.string()};
  argv.insert(argv.end(), options.begin(), options.end());
  return argv;
}

}  // namespace

std::string TtyOfPortLine(const std::string& line) {
  std::istringstream in(line);
  std::string word;
  std::string name;
  std::string tty;
  if (!(in >> word >> name >> tty) || word != "port") return {};
  return tty;
}

SimulatorChild::SimulatorChild(const std::filesystem::path& binary,
                               const std::vector<std::string>& options)
    : process_(CommandLine(binary, options), {"XDG_CONFIG_HOME=" + configHome_.path().string()}) {
  while (const auto line = process_.ReadLine(std::chrono::seconds(5))) {
    ttyPath_ = TtyOfPortLine(*line);
    if (!ttyPath_.empty()) return;
  }
  throw std::runtime_error("the simulator reported no port");
}

void SimulatorChild::DiscardLog() {
  while (process_.ReadLine(std::chrono::milliseconds(0))) {
  }
}

}  // namespace kx14::bench
