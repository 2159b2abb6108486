// The window driver of the Qt window: controls are found by their object
// names, and every action is the mouse and key events the user's input
// would produce, sent to the real widget (QTest), on the offscreen
// platform. The program's main creates the application object and runs
// the GoogleTest cases.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <memory>

#include "campaign_summary.h"
#include "fake_port_tree.h"
#include "form_fixture.h"
#include "private_devsim.h"
#include "tests/window_suite/suite_steps.h"
#include "tests/window_suite/window_driver.h"
#include "window_test_support.h"

namespace kx14::test {
namespace {

Qt::Key QtKeyOf(Key key) {
  switch (key) {
    case Key::kEnter:
      return Qt::Key_Return;
    case Key::kUp:
      return Qt::Key_Up;
    case Key::kDown:
      return Qt::Key_Down;
    case Key::kLeft:
      return Qt::Key_Left;
    case Key::kBackspace:
      return Qt::Key_Backspace;
    case Key::kDelete:
      return Qt::Key_Delete;
    case Key::kTab:
      return Qt::Key_Tab;
  }
  return Qt::Key_unknown;
}

Qt::KeyboardModifiers QtModifiersOf(unsigned modifiers) {
  Qt::KeyboardModifiers held = Qt::NoModifier;
  if ((modifiers & kShift) != 0) held |= Qt::ShiftModifier;
  if ((modifiers & kCtrl) != 0) held |= Qt::ControlModifier;
  return held;
}

class QtWindowDriver final : public WindowDriver {
 public:
  QtWindowDriver() {
    fixture_.Create();
    EXPECT_TRUE(fixture_.Active()) << "the window did not become active";
    information_ = std::make_unique<testing::InformationHistory>(fixture_.Form());
    closeUps_ = std::make_unique<testing::CloseUpCounter>(fixture_.Form().CommBox);
  }

  void Reveal(const std::string& panel) override { FormFixture::Reveal(Find(panel)); }
  void Click(const std::string& control) override {
    QTest::mouseClick(Find(control), Qt::LeftButton);
  }
  void ClickWith(const std::string& control, MouseButton button) override {
    const Qt::MouseButton qtButton = button == MouseButton::kLeft    ? Qt::LeftButton
                                     : button == MouseButton::kRight ? Qt::RightButton
                                                                     : Qt::MiddleButton;
    QTest::mouseClick(Find(control), qtButton, {}, QPoint(3, 5));
  }
  void Focus(const std::string& control) override { Find(control)->setFocus(Qt::MouseFocusReason); }
  void Type(const std::string& text) override {
    QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(text));
  }
  void Press(Key key, unsigned modifiers) override {
    QTest::keyClick(QApplication::focusWidget(), QtKeyOf(key), QtModifiersOf(modifiers));
  }

  std::string Text(const std::string& control) override {
    QWidget* widget = Find(control);
    if (const auto* staticText = dynamic_cast<const TStaticTextControl*>(widget)) {
      return staticText->Text();  // painted by the control itself
    }
    const char* property = widget->property("currentText").isValid() ? "currentText" : "text";
    return widget->property(property).toString().toStdString();
  }
  Place PlaceOf(const std::string& control) override {
    const QRect place = Find(control)->geometry();
    return {place.left(), place.top(), place.width(), place.height()};
  }
  bool Checked(const std::string& button) override {
    const auto* radio = qobject_cast<const QAbstractButton*>(Find(button));
    return radio != nullptr && radio->isChecked();
  }
  int Position(const std::string& bar) override {
    const auto* scrollBar = qobject_cast<const QAbstractSlider*>(Find(bar));
    return scrollBar != nullptr ? scrollBar->value() : -1;
  }
  BarRange RangeOf(const std::string& bar) override {
    const auto* scrollBar = qobject_cast<const QAbstractSlider*>(Find(bar));
    const auto* control = Neutral<TScrollBarControl>(bar);
    if (scrollBar == nullptr || control == nullptr) return {};
    return {scrollBar->minimum(), scrollBar->maximum(), control->SmallChange(),
            control->LargeChange()};
  }
  Selection SelectionOf(const std::string& field) override {
    auto* edit = qobject_cast<QLineEdit*>(Find(field));
    if (edit == nullptr || !edit->hasSelectedText()) {
      return {edit != nullptr ? edit->cursorPosition() : 0, 0};
    }
    return {edit->selectionStart(), static_cast<int>(edit->selectedText().size())};
  }
  std::vector<std::string> Items(const std::string& list) override {
    std::vector<std::string> items;
    if (const auto* box = qobject_cast<const QComboBox*>(Find(list))) {
      for (int i = 0; i < box->count(); ++i) items.push_back(box->itemText(i).toStdString());
    }
    return items;
  }
  bool WindowShown() override { return fixture_.Form().isVisible(); }
  bool Shown(const std::string& control) override { return Find(control)->isVisible(); }
  std::string Focused() override {
    const QWidget* focused = QApplication::focusWidget();
    return focused != nullptr && focused != &fixture_.Form() ? focused->objectName().toStdString()
                                                             : "";
  }

  std::int32_t Tag(const std::string& field) override {
    const auto* edit = Neutral<TEditControl>(field);
    return edit != nullptr ? edit->Tag : 0;
  }
  void SetValue(const std::string& field, std::int32_t tag, const std::string& text) override {
    if (auto* edit = Neutral<TEditControl>(field)) {
      edit->Tag = tag;
      edit->SetText(text);
    }
  }
  void SetText(const std::string& control, const std::string& text) override {
    QWidget* widget = Find(control);
    if (auto* edit = dynamic_cast<TEditControl*>(widget)) {
      edit->SetText(text);
    } else if (auto* staticText = dynamic_cast<TStaticTextControl*>(widget)) {
      staticText->SetText(text);
    } else {
      ADD_FAILURE() << control << " holds no text to set";
    }
  }
  void SetPosition(const std::string& bar, int position) override {
    if (auto* scrollBar = Neutral<TScrollBarControl>(bar)) scrollBar->SetPosition(position);
  }
  void Select(const std::string& button) override {
    if (auto* radio = Neutral<TRadioButtonControl>(button)) radio->SetChecked(true);
  }
  void SetSelection(const std::string& field, int start, int length) override {
    if (auto* edit = qobject_cast<QLineEdit*>(Find(field))) edit->setSelection(start, length);
  }
  void SetItemIndex(const std::string& list, int index) override {
    if (auto* box = Neutral<TComboBoxControl>(list)) box->SetItemIndex(index);
  }
  void RunDropDown(const std::string& list) override {
    if (auto* box = Neutral<TComboBoxControl>(list)) box->OnDropDown(box);
  }
  void UsePorts(const std::vector<std::string>& names) override {
    ports_ = std::make_unique<testing::FakePortTree>();
    ports_->MakePortsDir();
    for (const std::string& name : names) ports_->AddUserPort(name);
    fixture_.Form().UsePortSources(ports_->Sources());
  }
  std::string UseDevice(const DeviceSetup& setup) override {
    std::vector<std::string> args = {"--block", setup.block};
    for (const std::string& fault : setup.faults) args.push_back("--" + fault);
    if (setup.replyDelay.count() > 0) {
      args.insert(args.end(), {"--delay", std::to_string(setup.replyDelay.count())});
    }
    device_ = std::make_unique<testing::PrivateDevsim>(args);
    fixture_.Form().UsePortSources(device_->Sources());
    return device_->PortName();
  }
  std::optional<std::string> NextDeviceLine(const std::string& prefix) override {
    return device_ ? device_->NextLine(prefix) : std::nullopt;
  }
  std::vector<std::string> DeviceLines() override {
    if (!device_) return {};
    device_->Drain();  // the lines the simulator has written by now
    return device_->Lines();
  }
  std::filesystem::path HistoryFolder() override { return fixture_.HistoryFolder().toStdString(); }
  void SetReceiveTimeOut(std::chrono::milliseconds timeOut) override {
    fixture_.Form().CommX1->SetTimeOutReceive(static_cast<int>(timeOut.count()));
  }
  bool Choose(const std::string& list, const std::string& name) override {
    const int before = closeUps_->Count();
    const bool listed =
        testing::ChooseFromList(Neutral<TComboBox>(list), QString::fromStdString(name));
    WaitForCloseUp(before);
    return listed;
  }
  void DropDownAndDismiss(const std::string& list) override {
    const int before = closeUps_->Count();
    testing::DropDownAndDismiss(Neutral<TComboBox>(list));
    WaitForCloseUp(before);
  }
  void CloseWindow() override { fixture_.Form().close(); }
  void After(std::chrono::milliseconds delay, std::function<void()> action) override {
    // Bound to the window: gone with it, an action never runs late.
    QTimer::singleShot(delay, &fixture_.Form(), std::move(action));
  }
  std::vector<std::string> TakeInformationTexts() override {
    std::vector<std::string> texts;
    for (const QString& text : information_->Texts()) texts.push_back(text.toStdString());
    information_->Clear();
    return texts;
  }
  bool Enabled(const std::string& control) override { return Find(control)->isEnabled(); }
  bool PortOpen() override { return fixture_.Form().CommX1->IsOpen(); }
  bool OperationRunning() override { return fixture_.Form().DeviceOperationRunning(); }

  void CountChanges(const std::string& bar) override {
    if (auto* scrollBar = Neutral<TScrollBarControl>(bar)) CountChangeRuns(*scrollBar, changes_);
  }
  int ChangesCounted() const override { return changes_; }
  void Pump() override { QCoreApplication::processEvents(); }

 private:
  QWidget* Find(const std::string& name) {
    QWidget* widget = fixture_.Named<QWidget>(QString::fromStdString(name));
    EXPECT_NE(widget, nullptr) << "no control named " << name;
    return widget;
  }

  // The neutral control behind the named widget (null, and a failure, when
  // it is no such control).
  template <class Control>
  Control* Neutral(const std::string& name) {
    auto* control = dynamic_cast<Control*>(Find(name));
    EXPECT_NE(control, nullptr) << name << " is not a control of that kind";
    return control;
  }

  // The list's close-up runs once events are processed after the choice.
  void WaitForCloseUp(int before) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return closeUps_->Count() > before; }, 5000))
        << "the list's close-up did not run";
  }

  // Both outlive the window's use of them.
  std::unique_ptr<testing::FakePortTree> ports_;
  std::unique_ptr<testing::PrivateDevsim> device_;
  FormFixture fixture_;
  std::unique_ptr<testing::InformationHistory> information_;
  std::unique_ptr<testing::CloseUpCounter> closeUps_;
  int changes_ = 0;
};

}  // namespace

std::unique_ptr<WindowDriver> OpenMainWindow() { return std::make_unique<QtWindowDriver>(); }

}  // namespace kx14::test

int main(int argc, char** argv) {
  // The offscreen platform unless the caller chose one (a visible run on a
  // desktop, for watching a case).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new kx14::faults::CampaignSummary("window suite (qt)"));
  return RUN_ALL_TESTS();
}
