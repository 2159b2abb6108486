#pragma once

// TMainFormLogic's life and commands: building and naming the controls,
// binding their events, start-up, closing, and the Read and Program buttons.
// With the layout, the editor handlers and the port handlers (included
// below) it is the whole of TMainFormLogic's definitions: included once per
// toolkit, by the file that instantiates TMainFormLogic<Kit> for its Kit.

#include <cstdlib>
#include <iostream>
#include <utility>

#include "kx14_version.h"
#include "protocol/checksum.h"
#include "protocol/handicap_preset.h"
#include "ui/form/control_names.h"
#include "ui/form/form_device_view.h"
#include "ui/form/form_editor_handlers.h"
#include "ui/form/form_layout.h"
#include "ui/form/form_port_handlers.h"
#include "ui/form/guarded_handler.h"
#include "ui/form/main_form_logic.h"

namespace kx14 {

template <class Kit>
TMainFormLogic<Kit>::TMainFormLogic()
    : MessagePump(std::make_unique<typename Kit::MessagePump>()),
      CommX1(std::make_unique<TCommX>(*MessagePump)),
      exchangeLink_(std::make_unique<TExchangeLink>(*CommX1)),
      deviceView_(std::make_unique<TFormDeviceView<Kit>>(*this)),
      deviceOperations_(std::make_unique<TDeviceOperations>(*deviceView_)) {
  CommX1->SetFlowCtrl(TCommFlowCtrls::cfcNone);
  // A number opens the device that the machine's port list shows for it.
  CommX1->SetPortResolver(ResolveMachinePort);
  exchangeTrace_ = TExchangeTrace::FromEnvironment(std::cerr);
  if (exchangeTrace_) exchangeLink_->SetObserver(exchangeTrace_.get());
  StartHistory();
}

template <class Kit>
void TMainFormLogic<Kit>::StartHistory() {
  const std::optional<std::filesystem::path> folder = history::HistoryFolder();
  if (!folder) return;
  // Said from whichever thread wrote: the trace takes whole lines from any.
  historyWriter_ = std::make_unique<history::THistoryWriter>(
      *folder, [trace = exchangeTrace_.get()](const std::string& failure) {
        if (trace != nullptr) trace->Line(failure);
        std::cerr << "kx14-manager: " + failure + "\n";
      });
  historyRecorder_ = std::make_unique<history::TStoreRecorder>(
      *historyWriter_, history::StoreOrigin{"kx14-manager", std::string(kVersion), "Program", ""},
      exchangeTrace_.get());
  exchangeLink_->SetObserver(historyRecorder_.get());
}

template <class Kit>
TMainFormLogic<Kit>::~TMainFormLogic() = default;

template <class Kit>
void TMainFormLogic<Kit>::BuildForm(typename Kit::Container* window) {
  // Creation order is the tab order of the panels, which also stacks each
  // shown panel over the edge of the one above it.
  BuildPortRow(window);
  BuildCommandRow(window);
  BuildHiddenPanels(window);
  BuildInformationRow(window);
  BuildPicturePanel(window);
  // Only the selected preset takes part: the group keeps the tab stop on its
  // selected button. Hidden controls, the information field and the comment
  // box are never reached.
  Kit::SetTabChain({CommBox, PROGRAM_BTN, READ_BTN, EXIT_BTN, Handy_S, Handy_M, Handy0, Handy1,
                    Handy2, Handy3, Handy4, Handy5, Handy6, Handy_7});
  Kit::SetFocus(CommBox);
  NameControls();
  BindEvents();
  FormCreate(this);
}

template <class Kit>
void TMainFormLogic<Kit>::NameControls() {
#define KX14_NAME_CONTROL(member) Kit::SetName(member, #member, ControlIdForName(#member));
  KX14_FORM_CONTROLS(KX14_NAME_CONTROL)
#undef KX14_NAME_CONTROL
}

template <class Kit>
template <typename Method>
auto TMainFormLogic<Kit>::Handler(Method method) {
  return Guarded(
      [this](const std::string& message) { ShowError(message); },
      [this, method](auto&&... args) { (this->*method)(std::forward<decltype(args)>(args)...); });
}

template <class Kit>
void TMainFormLogic<Kit>::BindEvents() {
  PROGRAM_BTN->OnClick = Handler(&TMainFormLogic::PROGRAM_BTNClick);
  READ_BTN->OnClick = Handler(&TMainFormLogic::READ_BTNClick);
  EXIT_BTN->OnClick = Handler(&TMainFormLogic::EXIT_BTNClick);
  CommBox->OnDropDown = Handler(&TMainFormLogic::CommBoxDropDown);
  CommBox->OnCloseUp = Handler(&TMainFormLogic::CommBoxCloseUp);

  const std::pair<TScrollBar*, void (TMainFormLogic::*)(TScrollBarControl*)> bars[] = {
      {LAST_BAR, &TMainFormLogic::BARChange2},  {MODE_BAR, &TMainFormLogic::BARChange2},
      {UA_BAR, &TMainFormLogic::BARChange2},    {LOW_BAR, &TMainFormLogic::BARChange2},
      {HICH_BAR, &TMainFormLogic::BARChange2},  {THR_BAR, &TMainFormLogic::BARChange},
      {YOBI1_BAR, &TMainFormLogic::BARChange2}, {YOBI2_BAR, &TMainFormLogic::BARChange3},
  };
  for (const auto& [bar, change] : bars) {
    bar->OnChange = Handler(change);
    bar->OnExit = Handler(change);
  }
  for (TEdit* field :
       {LAST_EDIT, MODE_EDIT, UA_EDIT, LOW_EDIT, HICH_EDIT, THR_EDIT, YOBI1_EDIT, YOBI2_EDIT}) {
    field->OnExit = Handler(&TMainFormLogic::EDITExit);
    field->OnKeyPress = Handler(&TMainFormLogic::EDITKeyPress);
    field->OnMouseUp = Handler(&TMainFormLogic::EDITMouseUp);
  }

  YOUID_DEC->OnClick = Handler(&TMainFormLogic::YOU_BTNClick);
  YOUID_INC->OnClick = Handler(&TMainFormLogic::YOU_BTNClick);
  MYID_DEC->OnClick = Handler(&TMainFormLogic::MYID_BTNClick);
  MYID_INC->OnClick = Handler(&TMainFormLogic::MYID_BTNClick);
  YOUID_EDIT->OnKeyDown = Handler(&TMainFormLogic::YOUID_EDITKeyDown);
  MYID_EDIT->OnKeyDown = Handler(&TMainFormLogic::MYID_EDITKeyDown);
  for (TEdit* field : {YOUID_EDIT, MYID_EDIT}) {
    field->OnExit = Handler(&TMainFormLogic::ID_Exit);
    field->OnMouseUp = Handler(&TMainFormLogic::EDITMouseUp);
  }

  Handy_S->OnClick = Handler(&TMainFormLogic::Handy_SClick);
  Handy_M->OnClick = Handler(&TMainFormLogic::Handy_MClick);
  Handy0->OnClick = Handler(&TMainFormLogic::Handy0Click);
  Handy1->OnClick = Handler(&TMainFormLogic::Handy1Click);
  Handy2->OnClick = Handler(&TMainFormLogic::Handy2Click);
  Handy3->OnClick = Handler(&TMainFormLogic::Handy3Click);
  Handy4->OnClick = Handler(&TMainFormLogic::Handy4Click);
  Handy5->OnClick = Handler(&TMainFormLogic::Handy5Click);
  Handy6->OnClick = Handler(&TMainFormLogic::Handy6Click);
  Handy_7->OnClick = Handler(&TMainFormLogic::Handy_7Click);
}

template <class Kit>
void TMainFormLogic<Kit>::FormCreate(void*) {
  // 1. Partner links, before any editor handler can run.
  YOUID_DEC->PartnerEdit = YOUID_EDIT;
  YOUID_INC->PartnerEdit = YOUID_EDIT;
  const std::pair<TScrollBar*, TEdit*> pairs[] = {
      {LAST_BAR, LAST_EDIT},   {MODE_BAR, MODE_EDIT},   {UA_BAR, UA_EDIT},
      {LOW_BAR, LOW_EDIT},     {HICH_BAR, HICH_EDIT},   {THR_BAR, THR_EDIT},
      {YOBI1_BAR, YOBI1_EDIT}, {YOBI2_BAR, YOBI2_EDIT},
  };
  for (const auto& [bar, field] : pairs) bar->PartnerEdit = field;
  MYID_DEC->PartnerEdit = MYID_EDIT;
  MYID_INC->PartnerEdit = MYID_EDIT;
  for (const auto& [bar, field] : pairs) field->PartnerBar = bar;

  // 2. The port list, "OFF" selected; selecting from code opens nothing.
  constexpr int kPortCount = 30;  // COM1..COM30 until the list is first refreshed
  CommBox->Clear();
  CommBox->AddItem("OFF");
  for (int n = 1; n <= kPortCount; ++n) CommBox->AddItem("COM" + std::to_string(n));
  CommBox->SetItemIndex(0);

  // 3. THR_BAR starts at the count of the level shown selected (Handy0), so
  // that a program operation before any read or level choice stores that
  // level; its change handler writes the field, the level's handler does not
  // run (the comment keeps its heading). YOBI1_BAR starts at its minimum 1
  // while its field holds "0": the detour through 2 makes its change handler
  // write the field.
  THR_BAR->SetPosition(OvertakeCount(THandicapPreset::Handy0));
  YOBI1_BAR->SetPosition(2);
  YOBI1_BAR->SetPosition(1);
}

template <class Kit>
void TMainFormLogic<Kit>::EXIT_BTNClick(void*) {
  CloseWindow();
}

template <class Kit>
bool TMainFormLogic<Kit>::CloseRequested() noexcept {
  if (DeviceOperationRunning()) {
    // Closing now would end the message loop while the operation is still
    // on the stack. The closed port makes its exchange fail at the next
    // wake-up of the wait; the operation then ends and closes the window.
    closeDeferred_ = true;
    ClosePort();
    return false;
  }
  // The component itself is destroyed with the window object, once no
  // handler can be inside one of its calls any more.
  ClosePort();
  return true;
}

template <class Kit>
void TMainFormLogic<Kit>::ClosePort() noexcept {
  try {
    CommX1->Close();
  } catch (...) {
    // The window is going away; the component's destructor closes the port
    // again and nothing is left to report to.
  }
}

// The command buttons: the read and program operations of protocol/ run over
// this window, and what arrives while they wait for the device is held back
// until they end.

template <class Kit>
void TMainFormLogic<Kit>::READ_BTNClick(void*) {
  RunDeviceOperation(&TDeviceOperations::Read);
}

template <class Kit>
void TMainFormLogic<Kit>::PROGRAM_BTNClick(void*) {
  RunDeviceOperation(&TDeviceOperations::Program);
}

template <class Kit>
void TMainFormLogic<Kit>::SendReceive(ByteString& command, int replyLength, ByteString& reply) {
  exchangeLink_->SendReceive(command, replyLength, reply);
}

template <class Kit>
void TMainFormLogic<Kit>::AddCheckSum(ByteString& bytes) {
  kx14::AddCheckSum(bytes);
}

template <class Kit>
bool TMainFormLogic<Kit>::DeviceOperationRunning() const {
  return deviceOperations_->Busy();
}

template <class Kit>
void TMainFormLogic<Kit>::RunDeviceOperation(TOperationOutcome (TDeviceOperations::*operation)()) {
  if (DeviceOperationRunning()) {
    // A press inside the wait of another operation: the operations object
    // ignores it, and the outer call is the one that finishes up.
    (deviceOperations_.get()->*operation)();
    return;
  }
  (deviceOperations_.get()->*operation)();
  ApplyDeferredRequests();
}

template <class Kit>
void TMainFormLogic<Kit>::ApplyDeferredRequests() {
  const std::optional<PortChoice> choice = std::exchange(deferredPortChoice_, std::nullopt);
  if (closeDeferred_) {
    // The window is closing: a port choice made meanwhile no longer matters.
    closeDeferred_ = false;
    CloseWindow();
    return;
  }
  // After the operation's own text, with the usual messages.
  if (choice) ApplyPortChoice(*choice);
}

}  // namespace kx14
