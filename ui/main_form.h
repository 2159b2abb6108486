#pragma once

#include <QChar>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comm/byte_string.h"
#include "comm/comm_x.h"
#include "ports/com_ports.h"
#include "protocol/device_operations.h"
#include "protocol/exchange_link.h"

class QLabel;

namespace kx14 {

class QtMessagePump;
class TBitBtn;
class TComboBox;
class TEdit;
class TImage;
class TMainFormDeviceView;
class TPanel;
class TRadioButton;
class TScrollBar;
class TSpeedButton;
class TStaticText;

// The program's one window. It holds every setting of the device's
// parameter block in its controls (the value of a bar is its position, an
// identifier's value its field's Tag, a flag the selected button of its
// pair) and owns the serial component CommX1.
//
// Construction lays the controls out at their fixed positions with their
// start values, binds every handler and then runs FormCreate. Thirteen
// editor panels are created hidden and never shown; their controls keep and
// take the block's values. The client area is 310 x 416 and cannot be
// resized. Every handler runs on the GUI thread; an exception escaping one
// is shown in the error box and the window carries on.
class TMainForm : public QWidget {
 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // Start-up: partner links, port list fill, the start values of THR_BAR
  // and YOBI1_BAR's fields.
  void FormCreate(QObject* Sender);
  // Accepts every request as it comes; the fixed client size then wins.
  void FormCanResize(QObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);
  // Closes the window, as its title bar's close button does.
  void EXIT_BTNClick(QObject* Sender);

  // The read and program operations (TDeviceOperations over this window).
  // A press while an operation waits for the device is ignored. A port
  // change or a close of the window that arrives meanwhile is deferred to
  // the operation's end (see CommBoxCloseUp and closeEvent).
  void READ_BTNClick(QObject* Sender);
  void PROGRAM_BTNClick(QObject* Sender);
  // One exchange over CommX1, and the block's checksum (protocol/).
  void SendReceive(ByteString& command, int replyLength, ByteString& reply);
  void AddCheckSum(ByteString& data);
  // True while a read or program operation runs (and waits for the device).
  bool DeviceOperationRunning() const;

  // The port list: refreshed from the machine's ports on every drop-down,
  // "OFF" first, the selection kept by its text (letter case ignored). A
  // port name whose number does not convert escapes as EConvertError (the
  // error box shows it) and leaves only "OFF", selected.
  void CommBoxDropDown(QObject* Sender);
  void UpdatePortList();
  // Each time the list closes: "OFF" closes the port, a name (re)opens it;
  // the outcome goes to MON_EDIT. While a device operation waits, the choice
  // is remembered (the last one wins) and applied when the operation ends,
  // so the port never changes under a waiting exchange.
  void CommBoxCloseUp(QObject* Sender);
  // Where the port list and the port opening find the machine's ports. By
  // default DefaultPortSources(), read afresh at every use; tests and tools
  // point both at other trees.
  void UsePortSources(const PortSources& sources);

  // Value editors: bar to field, field to bar.
  void BARChange(TScrollBar* Sender);
  void BARChange2(TScrollBar* Sender);
  void BARChange3(TScrollBar* Sender);
  void EDITExit(TEdit* Sender);
  void EDITKeyPress(TEdit* Sender, QChar& Key);
  void EDITMouseUp(TEdit* Sender, Qt::MouseButton Button);

  // Identifier editors.
  void YOU_BTNClick(TSpeedButton* Sender);
  void MYID_BTNClick(TSpeedButton* Sender);
  void YOUID_EDITKeyDown(TEdit* Sender, int& Key, Qt::KeyboardModifiers Shift);
  void MYID_EDITKeyDown(TEdit* Sender, int& Key, Qt::KeyboardModifiers Shift);
  void ID_Exit(TEdit* Sender);

  // Handicap presets.
  void Handy_SClick(QObject* Sender);
  void Handy_MClick(QObject* Sender);
  void Handy0Click(QObject* Sender);
  void Handy1Click(QObject* Sender);
  void Handy2Click(QObject* Sender);
  void Handy3Click(QObject* Sender);
  void Handy4Click(QObject* Sender);
  void Handy5Click(QObject* Sender);
  void Handy6Click(QObject* Sender);
  void Handy_7Click(QObject* Sender);

  // The controls, owned by the window through Qt's parent links.
  // Picture panel.
  TPanel* Panel15 = nullptr;
  TImage* Image1 = nullptr;
  QLabel *Label15 = nullptr, *Label16 = nullptr, *Label17 = nullptr, *Label18 = nullptr,
         *Label19 = nullptr, *Label20 = nullptr, *Label21 = nullptr, *Label22 = nullptr,
         *Label23 = nullptr, *Label24 = nullptr, *Label25 = nullptr, *Label26 = nullptr;
  TRadioButton *Handy_S = nullptr, *Handy_M = nullptr, *Handy0 = nullptr, *Handy1 = nullptr,
               *Handy2 = nullptr, *Handy3 = nullptr, *Handy4 = nullptr, *Handy5 = nullptr,
               *Handy6 = nullptr, *Handy_7 = nullptr;
  TStaticText* K_Comment = nullptr;
  // Port row.
  TPanel* Panel14 = nullptr;
  QLabel* Label14 = nullptr;
  TComboBox* CommBox = nullptr;
  // Command row.
  TPanel* CMD_PANEL = nullptr;
  TBitBtn *PROGRAM_BTN = nullptr, *READ_BTN = nullptr, *EXIT_BTN = nullptr;
  // Information row.
  TPanel* Panel16 = nullptr;
  QLabel* Label27 = nullptr;
  TEdit* MON_EDIT = nullptr;
  // Hidden on/off pairs.
  TPanel *Panel1 = nullptr, *Panel4 = nullptr, *Panel5 = nullptr;
  QLabel *Label1 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
  TRadioButton *BUP_00h = nullptr, *BUP_5Ah = nullptr;
  TRadioButton *MAS_ON = nullptr, *MAS_OFF = nullptr;
  TRadioButton *OT_ON = nullptr, *OT_OFF = nullptr;
  // Hidden identifier editors.
  TPanel *Panel2 = nullptr, *Panel3 = nullptr;
  QLabel *Label2 = nullptr, *Label3 = nullptr;
  TSpeedButton *YOUID_DEC = nullptr, *YOUID_INC = nullptr;
  TSpeedButton *MYID_DEC = nullptr, *MYID_INC = nullptr;
  TEdit *YOUID_EDIT = nullptr, *MYID_EDIT = nullptr;
  // Hidden value editors.
  TPanel *Panel6 = nullptr, *Panel7 = nullptr, *Panel8 = nullptr, *Panel9 = nullptr,
         *Panel10 = nullptr, *Panel11 = nullptr, *Panel12 = nullptr, *Panel13 = nullptr;
  QLabel *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr,
         *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr;
  TScrollBar *LAST_BAR = nullptr, *MODE_BAR = nullptr, *UA_BAR = nullptr, *LOW_BAR = nullptr,
             *HICH_BAR = nullptr, *THR_BAR = nullptr, *YOBI1_BAR = nullptr, *YOBI2_BAR = nullptr;
  TEdit *LAST_EDIT = nullptr, *MODE_EDIT = nullptr, *UA_EDIT = nullptr, *LOW_EDIT = nullptr,
        *HICH_EDIT = nullptr, *THR_EDIT = nullptr, *YOBI1_EDIT = nullptr, *YOBI2_EDIT = nullptr;

  // The serial component and the message pump it runs window messages
  // through while it waits (declared first: it must outlive CommX1).
  std::unique_ptr<QtMessagePump> MessagePump;
  std::unique_ptr<TCommX> CommX1;

 protected:
  // Closing (exit button, title bar) closes the port. While a device
  // operation waits, the window stays until it has returned: the closed port
  // ends the wait at once, and no handler is still inside the component or
  // the operation when the window goes.
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Layout, in the order that gives both the stacking and the tab order.
  void BuildPortRow();
  void BuildCommandRow();
  void BuildHiddenPanels();
  void BuildInformationRow();
  void BuildPicturePanel();
  void BuildPresetButtons();
  void SetTabChain();
  void NameControls();
  // Handlers are attached after the layout values are in place, so that
  // selecting Handy0 in the layout runs no handler.
  void BindEvents();
  void BindValueEditors();
  void BindIdEditors();
  void BindPresets();
  void BindCommands();

  // A handler that is a member function, wrapped for the error box.
  template <typename Method>
  auto Handler(Method method);

  void StepId(TSpeedButton* pressed, TSpeedButton* plus, TSpeedButton* minus);
  void IdKeyDown(TEdit* field, int& Key, TSpeedButton* plus, TSpeedButton* minus,
                 void (TMainForm::*step)(TSpeedButton*));
  void ShowPreset(int presetIndex);
  void ClosePortOnExit() noexcept;

  // A port choice as the list showed it when it closed up.
  struct PortChoice {
    bool off = true;  // the "OFF" entry
    QString name;     // the displayed text
  };
  PortSources CurrentPortSources() const;
  void RefillPortList(const QString& previous, const std::vector<std::string>& names);
  void ApplyPortChoice(const PortChoice& choice);
  void OpenPort(const QString& name);
  // Runs one device operation; a nested press (the operation lets window
  // messages run while it waits) reaches the operations object, which
  // ignores it. The outermost call applies what was deferred meanwhile.
  void RunDeviceOperation(TOperationOutcome (TDeviceOperations::*operation)());
  void ApplyDeferredRequests();

  std::optional<PortSources> portSources_;  // empty: DefaultPortSources()
  // KX14_TRACE=FILE ("-": stderr): every exchange's frames, as kx14ctl's
  // --trace writes them. Declared ahead of the link, so it outlives it.
  std::unique_ptr<TExchangeTrace> exchangeTrace_;
  // The exchange over CommX1, which remembers whether the line echoes and
  // whether the last exchange left it unsettled.
  std::unique_ptr<TExchangeLink> exchangeLink_;
  // Both outlive every handler: they go with the window object, which is
  // destroyed only after its event loop has ended.
  std::unique_ptr<TMainFormDeviceView> deviceView_;
  std::unique_ptr<TDeviceOperations> deviceOperations_;
  std::optional<PortChoice> deferredPortChoice_;
  bool closeDeferred_ = false;
};

}  // namespace kx14
