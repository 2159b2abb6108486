// Windows: Qt draws text with the system's own font services, which need no
// configuration loaded ahead; the warm-up has nothing to do.
#include "app/font_config_warmup.h"

namespace kx14 {

FontConfigWarmUp::FontConfigWarmUp() = default;
FontConfigWarmUp::~FontConfigWarmUp() { Join(); }
void FontConfigWarmUp::Join() {}

}  // namespace kx14
