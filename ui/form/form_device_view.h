#pragma once

#include "controls/control_set_view.h"
#include "ui/form/main_form_logic.h"

namespace kx14 {

// The read and program operations' view of the main window: the exchange
// over its CommX1, its message pump, and the window's own controls that hold
// the block (read and set as TControlSetView says).
template <class Kit>
class TFormDeviceView final : public TControlSetView {
 public:
  // `form` must outlive the view; its controls may be created afterwards.
  explicit TFormDeviceView(TMainFormLogic<Kit>& form) : form_(form) {}

  void ProcessMessages() override { form_.MessagePump->ProcessMessages(); }
  void SendReceive(ByteString& command, int replyLength, ByteString& reply) override {
    form_.SendReceive(command, replyLength, reply);
  }

 protected:
  TBlockControlSet Controls() const override {
    return {form_.BUP_00h,
            form_.BUP_5Ah,
            form_.YOUID_EDIT,
            form_.MYID_EDIT,
            form_.MAS_ON,
            form_.MAS_OFF,
            form_.OT_ON,
            form_.OT_OFF,
            {form_.LAST_BAR, form_.MODE_BAR, form_.UA_BAR, form_.LOW_BAR, form_.HICH_BAR,
             form_.THR_BAR, form_.YOBI1_BAR, form_.YOBI2_BAR},
            {form_.Handy_S, form_.Handy_M, form_.Handy0, form_.Handy1, form_.Handy2, form_.Handy3,
             form_.Handy4, form_.Handy5, form_.Handy6, form_.Handy_7},
            form_.MON_EDIT};
  }

 private:
  TMainFormLogic<Kit>& form_;
};

}  // namespace kx14
