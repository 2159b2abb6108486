#include "bench/paced_device.h"

namespace kx14::bench {

PacedDevice::PacedDevice(const std::filesystem::path& simulator, long baud)
    : simulator_(simulator, {"--pace", std::to_string(baud)}),
      deviceEnd_(simulator_.TtyPath()),
      line_(host_.Master(), deviceEnd_.Fd(), baud) {}

double WireMs(int bytes, long baud) { return bytes * 10.0 * 1000.0 / static_cast<double>(baud); }

}  // namespace kx14::bench
