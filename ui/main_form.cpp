#include "ui/main_form.h"

#include <QCloseEvent>
#include <QResizeEvent>
#include <cstdlib>

#include "protocol/handicap_preset.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/edit.h"
#include "ui/controls/radio_button.h"
#include "ui/controls/scroll_bar.h"
#include "ui/controls/speed_button.h"
#include "ui/controls/system_colors.h"
#include "ui/layout_helpers.h"
#include "ui/main_form_device_view.h"
#include "ui/main_form_handler.h"
#include "ui/qt_message_pump.h"
#include "ui/window_style.h"

namespace kx14 {
namespace {

const char* const kCaption = "KX-14 Quovi Manager V1.00";
constexpr int kClientWidth = 310;
constexpr int kClientHeight = 416;  // the shown panels, stacked
constexpr int kPortCount = 30;      // COM1..COM30 until the list is first refreshed

}  // namespace

TMainForm::TMainForm(QWidget* parent)
    : QWidget(parent),
      MessagePump(std::make_unique<QtMessagePump>()),
      CommX1(std::make_unique<TCommX>(*MessagePump)),
      exchangeLink_(std::make_unique<TExchangeLink>(*CommX1)),
      deviceView_(std::make_unique<TMainFormDeviceView>(*this)),
      deviceOperations_(std::make_unique<TDeviceOperations>(*deviceView_)) {
  CommX1->SetFlowCtrl(TCommFlowCtrls::cfcNone);
  if (const char* tracePath = std::getenv("KX14_TRACE"); tracePath != nullptr && *tracePath) {
    exchangeTrace_ = TExchangeTrace::Open(tracePath);
    exchangeLink_->SetObserver(exchangeTrace_.get());
  }
  setWindowTitle(QString::fromLatin1(kCaption));
  setFont(WindowFont());
  SetColour(this, QPalette::Window, clBtnFace());
  SetColour(this, QPalette::Button, clBtnFace());
  SetColour(this, QPalette::WindowText, clWindowText());
  setAutoFillBackground(true);
  // Sized to the shown panels; dragging a border cannot change that.
  setFixedSize(kClientWidth, kClientHeight);

  // Creation order is the tab order of the panels, which also stacks each
  // shown panel over the edge of the one above it.
  BuildPortRow();
  BuildCommandRow();
  BuildHiddenPanels();
  BuildInformationRow();
  BuildPicturePanel();
  SetTabChain();
  NameControls();
  BindEvents();
  FormCreate(this);
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate(QObject*) {
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
  CommBox->clear();
  CommBox->addItem(QStringLiteral("OFF"));
  for (int n = 1; n <= kPortCount; ++n) CommBox->addItem(QStringLiteral("COM%1").arg(n));
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

void TMainForm::FormCanResize(QObject*, int&, int&, bool&) {}

void TMainForm::EXIT_BTNClick(QObject*) { close(); }

void TMainForm::closeEvent(QCloseEvent* event) {
  if (DeviceOperationRunning()) {
    // Closing now would end the event loop while the operation is still on
    // the stack. The closed port makes its exchange fail at the next wake-up
    // of the wait; the operation then ends and closes the window.
    event->ignore();
    closeDeferred_ = true;
    ClosePortOnExit();
    return;
  }
  QWidget::closeEvent(event);
  // The port closes with the window. The component itself is destroyed with
  // the window object, once no handler can be inside one of its calls any
  // more: closing from a handler that runs while an exchange waits in Read
  // must not pull the component from under that Read.
  if (event->isAccepted()) ClosePortOnExit();
}

void TMainForm::ClosePortOnExit() noexcept {
  try {
    CommX1->Close();
  } catch (...) {
    // The window is going away; the component's destructor closes the port
    // again and nothing is left to report to.
  }
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The request is passed to the resize handler, which accepts it; the fixed
  // size has already decided the outcome.
  int newWidth = event->size().width();
  int newHeight = event->size().height();
  bool resize = true;
  FormCanResize(this, newWidth, newHeight, resize);
}

}  // namespace kx14
