#include "ui/form/guarded_handler.h"

namespace kx14 {

std::string ErrorBoxText(std::string_view message) {
  // In UTF-8 every byte of a character beyond ASCII lies above ".", so the
  // last byte decides as the last code point would.
  if (message.empty() || static_cast<unsigned char>(message.back()) <= '.') {
    return std::string(message);
  }
  return std::string(message) + '.';
}

}  // namespace kx14
