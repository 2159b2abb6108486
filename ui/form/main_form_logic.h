#pragma once

// The main window without a toolkit: its controls, their layout, the
// handlers and the start-up, written once. A toolkit layer supplies a Kit:
// the control classes (each built on the toolkit-neutral control of
// controls/, which carries the controls' rules), the factories that
// create and place them, and the message pump; the toolkit's window class
// derives from TMainFormLogic<Kit> and adds only what its toolkit needs
// (close and paint events, the error box).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_string.h"
#include "comm/comm_x.h"
#include "history/history_writer.h"
#include "history/store_recorder.h"
#include "ports/com_ports.h"
#include "protocol/device_operations.h"
#include "protocol/exchange_link.h"
#include "protocol/exchange_trace.h"
#include "controls/button_controls.h"
#include "controls/combo_box_control.h"
#include "controls/edit_control.h"
#include "controls/radio_button_control.h"
#include "controls/scroll_bar_control.h"

namespace kx14 {

template <class Kit>
class TFormDeviceView;

// Kit requirements (see QtKit and Win32Kit): the types Container, Panel,
// Label, Image, ScrollBar, Edit, RadioButton, ComboBox, BitBtn, SpeedButton,
// StaticText and MessagePump, and static functions New<Control>(...),
// SetFaceColour, SetTextColour, SetName, SetTabChain and SetFocus.
template <class Kit>
class TMainFormLogic {
 public:
  using TPanel = typename Kit::Panel;
  using TLabel = typename Kit::Label;
  using TImage = typename Kit::Image;
  using TScrollBar = typename Kit::ScrollBar;
  using TEdit = typename Kit::Edit;
  using TRadioButton = typename Kit::RadioButton;
  using TComboBox = typename Kit::ComboBox;
  using TBitBtn = typename Kit::BitBtn;
  using TSpeedButton = typename Kit::SpeedButton;
  using TStaticText = typename Kit::StaticText;

  virtual ~TMainFormLogic();
  TMainFormLogic(const TMainFormLogic&) = delete;
  TMainFormLogic& operator=(const TMainFormLogic&) = delete;

  // Start-up: partner links, port list fill, the start values of THR_BAR
  // and YOBI1_BAR's fields.
  void FormCreate(void* Sender);
  // Closes the window, as its title bar's close button does.
  void EXIT_BTNClick(void* Sender);

  // The read and program operations (TDeviceOperations over this window).
  // A press while an operation waits for the device is ignored. A port
  // change or a close of the window that arrives meanwhile is deferred to
  // the operation's end (see CommBoxCloseUp and CloseRequested).
  void READ_BTNClick(void* Sender);
  void PROGRAM_BTNClick(void* Sender);
  // One exchange over CommX1, and the block's checksum (protocol/).
  void SendReceive(ByteString& command, int replyLength, ByteString& reply);
  void AddCheckSum(ByteString& data);
  // True while a read or program operation runs (and waits for the device).
  bool DeviceOperationRunning() const;

  // The port list: refreshed from the machine's ports on every drop-down,
  // "OFF" first, the selection kept by its text (letter case ignored). Names
  // whose number does not convert are left out of a list of several and
  // named in MON_EDIT, and again after the close-up's report; a list the
  // machine cannot give escapes as an error (the error box shows it) and
  // leaves only "OFF", selected.
  void CommBoxDropDown(TComboBoxControl* Sender);
  void UpdatePortList();
  // Each time the list closes: "OFF" closes the port, a name (re)opens it;
  // the outcome goes to MON_EDIT. While a device operation waits, the choice
  // is remembered (the last one wins) and applied when the operation ends,
  // so the port never changes under a waiting exchange.
  void CommBoxCloseUp(TComboBoxControl* Sender);
  // Where the port list and the port opening find the machine's ports. By
  // default DefaultPortSources(), read afresh at every use; tests and tools
  // point both at other trees.
  void UsePortSources(const PortSources& sources);

  // Value editors: bar to field, field to bar.
  void BARChange(TScrollBarControl* Sender);
  void BARChange2(TScrollBarControl* Sender);
  void BARChange3(TScrollBarControl* Sender);
  void EDITExit(TEditControl* Sender);
  void EDITKeyPress(TEditControl* Sender, char32_t& Key);
  void EDITMouseUp(TEditControl* Sender, TMouseButton Button);

  // Identifier editors.
  void YOU_BTNClick(TSpeedButtonControl* Sender);
  void MYID_BTNClick(TSpeedButtonControl* Sender);
  void YOUID_EDITKeyDown(TEditControl* Sender, int& Key, TShiftState Shift);
  void MYID_EDITKeyDown(TEditControl* Sender, int& Key, TShiftState Shift);
  void ID_Exit(TEditControl* Sender);

  // Handicap presets.
  void Handy_SClick(TRadioButtonControl* Sender);
  void Handy_MClick(TRadioButtonControl* Sender);
  void Handy0Click(TRadioButtonControl* Sender);
  void Handy1Click(TRadioButtonControl* Sender);
  void Handy2Click(TRadioButtonControl* Sender);
  void Handy3Click(TRadioButtonControl* Sender);
  void Handy4Click(TRadioButtonControl* Sender);
  void Handy5Click(TRadioButtonControl* Sender);
  void Handy6Click(TRadioButtonControl* Sender);
  void Handy_7Click(TRadioButtonControl* Sender);

  // The controls, owned by the window through its toolkit.
  // Picture panel.
  TPanel* Panel15 = nullptr;
  TImage* Image1 = nullptr;
  TLabel *Label15 = nullptr, *Label16 = nullptr, *Label17 = nullptr, *Label18 = nullptr,
         *Label19 = nullptr, *Label20 = nullptr, *Label21 = nullptr, *Label22 = nullptr,
         *Label23 = nullptr, *Label24 = nullptr, *Label25 = nullptr, *Label26 = nullptr;
  TRadioButton *Handy_S = nullptr, *Handy_M = nullptr, *Handy0 = nullptr, *Handy1 = nullptr,
               *Handy2 = nullptr, *Handy3 = nullptr, *Handy4 = nullptr, *Handy5 = nullptr,
               *Handy6 = nullptr, *Handy_7 = nullptr;
  TStaticText* K_Comment = nullptr;
  // Port row.
  TPanel* Panel14 = nullptr;
  TLabel* Label14 = nullptr;
  TComboBox* CommBox = nullptr;
  // Command row.
  TPanel* CMD_PANEL = nullptr;
  TBitBtn *PROGRAM_BTN = nullptr, *READ_BTN = nullptr, *EXIT_BTN = nullptr;
  // Information row.
  TPanel* Panel16 = nullptr;
  TLabel* Label27 = nullptr;
  TEdit* MON_EDIT = nullptr;
  // Hidden on/off pairs.
  TPanel *Panel1 = nullptr, *Panel4 = nullptr, *Panel5 = nullptr;
  TLabel *Label1 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
  TRadioButton *BUP_00h = nullptr, *BUP_5Ah = nullptr;
  TRadioButton *MAS_ON = nullptr, *MAS_OFF = nullptr;
  TRadioButton *OT_ON = nullptr, *OT_OFF = nullptr;
  // Hidden identifier editors.
  TPanel *Panel2 = nullptr, *Panel3 = nullptr;
  TLabel *Label2 = nullptr, *Label3 = nullptr;
  TSpeedButton *YOUID_DEC = nullptr, *YOUID_INC = nullptr;
  TSpeedButton *MYID_DEC = nullptr, *MYID_INC = nullptr;
  TEdit *YOUID_EDIT = nullptr, *MYID_EDIT = nullptr;
  // Hidden value editors.
  TPanel *Panel6 = nullptr, *Panel7 = nullptr, *Panel8 = nullptr, *Panel9 = nullptr,
         *Panel10 = nullptr, *Panel11 = nullptr, *Panel12 = nullptr, *Panel13 = nullptr;
  TLabel *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr,
         *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr;
  TScrollBar *LAST_BAR = nullptr, *MODE_BAR = nullptr, *UA_BAR = nullptr, *LOW_BAR = nullptr,
             *HICH_BAR = nullptr, *THR_BAR = nullptr, *YOBI1_BAR = nullptr, *YOBI2_BAR = nullptr;
  TEdit *LAST_EDIT = nullptr, *MODE_EDIT = nullptr, *UA_EDIT = nullptr, *LOW_EDIT = nullptr,
        *HICH_EDIT = nullptr, *THR_EDIT = nullptr, *YOBI1_EDIT = nullptr, *YOBI2_EDIT = nullptr;

  // The serial component and the message pump it runs window messages
  // through while it waits (declared first: it must outlive CommX1).
  std::unique_ptr<typename Kit::MessagePump> MessagePump;
  std::unique_ptr<TCommX> CommX1;

 protected:
  TMainFormLogic();

  // Lays the controls out on `window` with their start values, binds every
  // handler and runs FormCreate. The toolkit window calls it once, from its
  // constructor, after its own set-up.
  void BuildForm(typename Kit::Container* window);

  // A close of the window was asked for (exit button, title bar). Returns
  // whether the window may close now. While a device operation waits it may
  // not: the port is closed at once, which ends the wait, and the window is
  // closed again (CloseWindow) once the operation has returned, so no
  // handler is still inside the component or the operation when it goes.
  // When it may close, the port is closed.
  bool CloseRequested() noexcept;

  // The toolkit closes its window (which comes back through CloseRequested).
  virtual void CloseWindow() = 0;
  // The toolkit shows the error box for an exception that escaped a handler.
  virtual void ShowError(const std::string& message) = 0;

 private:
  friend class TFormDeviceView<Kit>;

  // Layout, in the order that gives both the stacking and the tab order.
  void BuildPortRow(typename Kit::Container* window);
  void BuildCommandRow(typename Kit::Container* window);
  void BuildHiddenPanels(typename Kit::Container* window);
  void BuildInformationRow(typename Kit::Container* window);
  void BuildPicturePanel(typename Kit::Container* window);
  void BuildPresetButtons();
  void NameControls();
  // Handlers are attached after the layout values are in place, so that
  // selecting Handy0 in the layout runs no handler.
  void BindEvents();

  // A handler that is a member function, wrapped for the error box.
  template <typename Method>
  auto Handler(Method method);

  void StepId(TSpeedButtonControl* pressed, TSpeedButtonControl* plus, TSpeedButtonControl* minus);
  void IdKeyDown(TEditControl* field, int& Key, TSpeedButtonControl* plus,
                 TSpeedButtonControl* minus, void (TMainFormLogic::*step)(TSpeedButtonControl*));
  void ShowPreset(int presetIndex);
  void ClosePort() noexcept;
  void StartHistory();

  // A port choice as the list showed it when it closed up.
  struct PortChoice {
    bool off = true;   // the "OFF" entry
    std::string name;  // the displayed text
  };
  PortSources CurrentPortSources() const;
  void RefillPortList(const std::string& previous, const std::vector<std::string>& names);
  void ApplyPortChoice(const PortChoice& choice);
  // The port outcome in MON_EDIT, followed by the note of the entries the
  // last refresh left out (if any), which it then forgets.
  void ReportPortOutcome(const std::string& outcome);
  void OpenPort(const std::string& name);
  // Runs one device operation; a nested press (the operation lets window
  // messages run while it waits) reaches the operations object, which
  // ignores it. The outermost call applies what was deferred meanwhile.
  void RunDeviceOperation(TOperationOutcome (TDeviceOperations::*operation)());
  void ApplyDeferredRequests();

  std::optional<PortSources> portSources_;  // empty: DefaultPortSources()
  // The entries that the last refresh left out, until a close-up reports.
  std::string portListNote_;
  // KX14_TRACE=FILE ("-": stderr): every exchange's frames, as kx14ctl's
  // --trace writes them. Declared ahead of the link, so it outlives it.
  std::unique_ptr<TExchangeTrace> exchangeTrace_;
  // Every Program's store, recorded in the user's history (none with
  // KX14_HISTORY=off); a failure to record is said in the trace and on
  // stderr. Declared ahead of the link, so they outlive it.
  std::unique_ptr<history::THistoryWriter> historyWriter_;
  std::unique_ptr<history::TStoreRecorder> historyRecorder_;
  // The exchange over CommX1, which remembers whether the line echoes and
  // whether the last exchange left it unsettled.
  std::unique_ptr<TExchangeLink> exchangeLink_;
  // Both outlive every handler: they go with the window object, which is
  // destroyed only after its event loop has ended.
  std::unique_ptr<TFormDeviceView<Kit>> deviceView_;
  std::unique_ptr<TDeviceOperations> deviceOperations_;
  std::optional<PortChoice> deferredPortChoice_;
  bool closeDeferred_ = false;
};

}  // namespace kx14
