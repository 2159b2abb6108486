#include "ui/controls/edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

#include "ui/controls/focus_exit.h"
#include "ui/controls/virtual_keys.h"

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

}  // namespace

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {}

void TEdit::SetCharCase(TEditCharCase charCase) {
  charCase_ = charCase;
  setValidator(charCase == TEditCharCase::ecUpperCase ? new UpperCaseValidator(this) : nullptr);
  if (charCase == TEditCharCase::ecUpperCase) setText(text());
}

bool TEdit::RunKeyDown(const QKeyEvent& event) {
  if (!OnKeyDown) return true;
  int key = VirtualKeyFromQt(event.key());
  OnKeyDown(this, key, event.modifiers());
  return key != kVkNone;
}

QString TEdit::RunKeyPress(const QString& typed) {
  if (!OnKeyPress || typed.size() != 1) return typed;
  QChar key = typed.front();
  OnKeyPress(this, key);
  return key.isNull() ? QString() : QString(key);
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
  if (OnMouseUp) OnMouseUp(this, event->button());
}

}  // namespace kx14
