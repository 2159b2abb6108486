// The window driver of the Qt window: controls are found by their object
// names, and every action is the mouse and key events the user's input
// would produce, sent to the real widget (QTest), on the offscreen
// platform. The program's main creates the application object and runs
// the GoogleTest cases.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "campaign_summary.h"
#include "form_fixture.h"
#include "tests/window_suite/window_driver.h"

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
  }

  void Reveal(const std::string& panel) override { FormFixture::Reveal(Find(panel)); }
  void Click(const std::string& control) override {
    QTest::mouseClick(Find(control), Qt::LeftButton);
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
    const char* property = widget->property("currentText").isValid() ? "currentText" : "text";
    return widget->property(property).toString().toStdString();
  }
  Selection SelectionOf(const std::string& field) override {
    auto* edit = qobject_cast<QLineEdit*>(Find(field));
    if (edit == nullptr || !edit->hasSelectedText()) {
      return {edit != nullptr ? edit->cursorPosition() : 0, 0};
    }
    return {edit->selectionStart(), static_cast<int>(edit->selectedText().size())};
  }
  std::string Focused() override {
    const QWidget* focused = QApplication::focusWidget();
    return focused != nullptr && focused != &fixture_.Form() ? focused->objectName().toStdString()
                                                             : "";
  }

  std::int32_t Tag(const std::string& field) override {
    const auto* edit = dynamic_cast<const TEditControl*>(Find(field));
    EXPECT_NE(edit, nullptr) << field << " is no edit field";
    return edit != nullptr ? edit->Tag : 0;
  }
  void SetValue(const std::string& field, std::int32_t tag, const std::string& text) override {
    auto* edit = dynamic_cast<TEditControl*>(Find(field));
    ASSERT_NE(edit, nullptr) << field << " is no edit field";
    edit->Tag = tag;
    edit->SetText(text);
  }

 private:
  QWidget* Find(const std::string& name) {
    QWidget* widget = fixture_.Named<QWidget>(QString::fromStdString(name));
    EXPECT_NE(widget, nullptr) << "no control named " << name;
    return widget;
  }

  FormFixture fixture_;
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
