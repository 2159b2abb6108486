#include "comm/comm_x.h"
#include "ui/window_comm.h"

namespace kx14 {

void CommXDeleter::operator()(TCommX* comm) const noexcept { delete comm; }

CommXPtr CreateWindowCommX(TMessagePump& pump) {
  CommXPtr comm(new TCommX(pump));
  comm->SetFlowCtrl(TCommFlowCtrls::cfcNone);
  return comm;
}

void CloseWindowCommX(TCommX* comm) noexcept {
  if (comm == nullptr) return;
  try {
    comm->Close();
  } catch (...) {
    // The window is closing; a port that will not close cleanly is closed
    // again by the component's destructor.
  }
}

}  // namespace kx14
