// The campaign's line under Wine: the simulator program that
// scripts/windows-test.sh started on a pty linked as a COM port. Its faults,
// delay and block are set through its control pipe; the block it holds is the
// last one its frame log shows it taking (stored from a program frame, or set
// by a control line), since it logs a stored block before its answer leaves.
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

#include "far_end.h"
#include "protocol/hex_bytes.h"
#include "tests/windows/devsim_link.h"

namespace kx14::faults {
namespace {

std::string HexOf(const BlockBytes& block) {
  return HexBytes(std::string_view(reinterpret_cast<const char*>(block.data()), block.size()));
}

// The block of the last "stored HEX" or "ctl block HEX" line of `log`.
BlockBytes LastBlockIn(const std::string& log) {
  for (std::size_t end = log.size(); end > 0;) {
    const std::size_t start = log.rfind('\n', end - 1);
    const std::size_t from = start == std::string::npos ? 0 : start + 1;
    const std::string_view line(log.data() + from, end - from);
    end = start == std::string::npos ? 0 : start;
    for (const std::string_view keyword : {"stored ", "ctl block "}) {
      if (line.substr(0, keyword.size()) != keyword) continue;
      const auto bytes = ParseHexBytes(line.substr(keyword.size()));
      if (!bytes || bytes->size() != BlockBytes{}.size()) break;
      BlockBytes block{};
      std::copy(bytes->begin(), bytes->end(), block.begin());
      return block;
    }
  }
  throw std::runtime_error("the simulator's log shows no block");
}

class DevsimFarEnd final : public FarEnd, public CampaignLine {
 public:
  explicit DevsimFarEnd(const BlockBytes& block) {
    std::string why;
    if (!link_.Available(why)) throw std::runtime_error(why);
    SetBehaviour({});
    SetBlock(block);
  }

  FarEnd& Device() override { return *this; }
  std::int32_t Attach() override { return link_.PortNo(); }

  BlockBytes Block() const override { return LastBlockIn(link_.Log()); }
  void SetBlock(const BlockBytes& block) override { Send("block " + HexOf(block)); }
  void SetBehaviour(const devsim::Behaviour& behaviour) override {
    SetFaults(behaviour.faults);
    SetDelay(behaviour.delay);
  }
  void SetFaults(const devsim::Faults& faults) override {
    if (faults_ == faults) return;
    Send("mode " + devsim::FaultNames(faults));
    faults_ = faults;
  }
  void SetDelay(std::chrono::milliseconds delay) override {
    if (delay_ == delay) return;
    Send("delay " + std::to_string(delay.count()));
    delay_ = delay;
  }

 private:
  // Each line is confirmed in the log before the next exchange may start.
  void Send(const std::string& line) {
    if (!link_.Control(line)) throw std::runtime_error("the simulator did not take: " + line);
  }

  test::DevsimLink link_;
  // What the simulator was last told, so that an unchanged setting costs no
  // round trip through the pipe (the soak sets both before every exchange).
  std::optional<devsim::Faults> faults_;
  std::optional<std::chrono::milliseconds> delay_;
};

}  // namespace

std::unique_ptr<CampaignLine> MakeCampaignLine(const BlockBytes& block) {
  return std::make_unique<DevsimFarEnd>(block);
}

}  // namespace kx14::faults
