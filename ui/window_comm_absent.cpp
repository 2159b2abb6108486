#include "ui/window_comm.h"

// Built when the serial library is not part of the build: the window then
// has no serial component.

namespace kx14 {

void CommXDeleter::operator()(TCommX*) const noexcept {}

CommXPtr CreateWindowCommX(TMessagePump&) { return nullptr; }

void CloseWindowCommX(TCommX*) noexcept {}

}  // namespace kx14
