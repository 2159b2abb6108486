#include "ui/qt/edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

#include "controls/virtual_keys.h"
#include "ui/qt/focus_exit.h"

namespace kx14 {
namespace {

// Turns letters to upper case in every change of the text: typing, pasting,
// dropping and setting it from code all pass through the validator.
class UpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    input = input.toUpper();
    return Acceptable;
  }
};

int VirtualKeyFromQt(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kVkReturn;
    case Qt::Key_Up:
      return kVkUp;
    case Qt::Key_Down:
      return kVkDown;
    default:
      return kVkOther;
  }
}

TShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers) {
  unsigned shift = ssNone;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  return static_cast<TShiftState>(shift);
}

TMouseButton MouseButtonFromQt(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return TMouseButton::mbRight;
    case Qt::MiddleButton:
      return TMouseButton::mbMiddle;
    default:
      return TMouseButton::mbLeft;
  }
}

}  // namespace

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {}

void TEdit::ShowCharCase(TEditCharCase charCase) {
  setValidator(charCase == TEditCharCase::ecUpperCase ? new UpperCaseValidator(this) : nullptr);
}

bool TEdit::RunKeyDown(const QKeyEvent& event) {
  if (!OnKeyDown) return true;
  int key = VirtualKeyFromQt(event.key());
  OnKeyDown(this, key, ShiftFromQt(event.modifiers()));
  return key != kVkNone;
}

QString TEdit::RunKeyPress(const QString& typed) {
  const QList<uint> codePoints = typed.toUcs4();
  if (!OnKeyPress || codePoints.size() != 1) return typed;
  char32_t key = codePoints.front();
  OnKeyPress(this, key);
  return key == 0 ? QString() : QString::fromUcs4(&key, 1);
}

void TEdit::keyPressEvent(QKeyEvent* event) {
  if (!RunKeyDown(*event)) {
    event->accept();
    return;
  }
  const QString typed = event->text();
  if (typed.isEmpty()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const QString passed = RunKeyPress(typed);
  if (passed.isEmpty()) {
    event->accept();
    return;
  }
  if (passed == typed) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  QKeyEvent replaced(event->type(), event->key(), event->modifiers(), passed, event->isAutoRepeat(),
                     static_cast<quint16>(event->count()));
  QLineEdit::keyPressEvent(&replaced);
  event->setAccepted(replaced.isAccepted());
}

void TEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (IsControlExit(*event) && OnExit) OnExit(this);
}

void TEdit::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (OnMouseUp) OnMouseUp(this, MouseButtonFromQt(event->button()));
}

}  // namespace kx14
