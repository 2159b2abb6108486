#pragma once

#include "protocol/device_view.h"

namespace kx14 {

class TMainForm;
class TRadioButton;
class TScrollBar;

// The read and program operations' view of the main window: the exchange
// over its CommX1, its message pump, and the controls that hold the block.
// Every setter goes through the control itself, so the controls' own rules
// apply: a radio button's handler runs only when it becomes selected, a bar's
// change handler only when its position really changes.
class TMainFormDeviceView final : public TDeviceView {
 public:
  // `form` must outlive the view; its controls may be created afterwards.
  explicit TMainFormDeviceView(TMainForm& form);

  void ProcessMessages() override;
  void SendReceive(ByteString& command, int replyLength, ByteString& reply) override;
  BlockControls ReadControls() const override;
  void SelectBup(bool bup5Ah) override;
  void SetYourId(std::int32_t value) override;
  void SetMyId(std::int32_t value) override;
  void SelectMasterF(bool on) override;
  void SelectOvertake(bool on) override;
  void SetBarPosition(TBlockBar bar, int position) override;
  void ShowInformation(std::string_view text) override;
  void SelectHandicap(THandicapPreset preset) override;

 private:
  TScrollBar* Bar(TBlockBar bar) const;
  TRadioButton* PresetButton(THandicapPreset preset) const;

  TMainForm& form_;
};

}  // namespace kx14
