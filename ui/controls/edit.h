#pragma once

#include <QChar>
#include <QLineEdit>
#include <QString>
#include <cstdint>
#include <functional>

namespace kx14 {

class TScrollBar;

enum class TEditCharCase : std::uint8_t { ecNormal, ecUpperCase };

// A one-line edit field with the events the window's editors use:
//  - OnKeyDown(Sender, Key, Shift) for every key press, Key a virtual-key code
//    (virtual_keys.h) passed by reference; a handler sets it to 0 to consume
//    the key, which then goes no further;
//  - OnKeyPress(Sender, Key) for every typed character, by reference; a
//    handler may replace it, or set it to 0 to drop it;
//  - OnExit(Sender) when the keyboard focus moves to another control of the
//    window (not when the whole window is deactivated);
//  - OnMouseUp(Sender, Button) on the release of any mouse button.
// With ecUpperCase, letters are turned to upper case as they are typed or
// pasted, and also in text set from code.
class TEdit : public QLineEdit {
 public:
  explicit TEdit(QWidget* parent);

  QString Text() const { return text(); }
  void SetText(const QString& value) { setText(value); }
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase charCase);
  // Selects `length` characters from `start`: SelectAll is (0, Text length).
  void SetSelection(int start, int length) { setSelection(start, length); }

  std::function<void(TEdit* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
  std::function<void(TEdit* Sender, QChar& Key)> OnKeyPress;
  std::function<void(TEdit* Sender)> OnExit;
  std::function<void(TEdit* Sender, Qt::MouseButton Button)> OnMouseUp;

  // General-purpose integer (an identifier field keeps its value here).
  std::int32_t Tag = 0;
  // The scroll bar whose position this field shows, for the value editors.
  TScrollBar* PartnerBar = nullptr;
  // Kept with the control; hints are never shown in this window.
  QString Hint;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // False when OnKeyDown consumed the key.
  bool RunKeyDown(const QKeyEvent& event);
  // The typed text after OnKeyPress; empty when the handler dropped it.
  QString RunKeyPress(const QString& typed);

  TEditCharCase charCase_ = TEditCharCase::ecNormal;
};

}  // namespace kx14
