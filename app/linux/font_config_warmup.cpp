#include "app/linux/font_config_warmup.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace kx14 {

FontConfigWarmUp::FontConfigWarmUp() {
  try {
    thread_ = std::thread([] { FcInit(); });
  } catch (const std::system_error&) {
    // No thread to spare: the toolkit loads the configuration itself.
  }
}

FontConfigWarmUp::~FontConfigWarmUp() { Join(); }

void FontConfigWarmUp::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace kx14
