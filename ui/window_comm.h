#pragma once

#include <memory>

namespace kx14 {

class TCommX;
class TMessagePump;

// The window's serial port component, kept behind this seam so that the
// window builds and its tests run also where the serial library is left
// out: window_comm_x.cpp creates the real component, window_comm_absent.cpp
// none (CommX1 is then null and the window has no port).
struct CommXDeleter {
  void operator()(TCommX* comm) const noexcept;  // destroying it closes an open port
};
using CommXPtr = std::unique_ptr<TCommX, CommXDeleter>;

// A component with FlowCtrl = cfcNone and every other property at its
// default; `pump` must outlive it.
CommXPtr CreateWindowCommX(TMessagePump& pump);

// Closes the port of `comm` if it is open (nothing for a null component).
void CloseWindowCommX(TCommX* comm) noexcept;

}  // namespace kx14
