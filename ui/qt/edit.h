#pragma once

#include <QLineEdit>
#include <QString>
#include <string>

#include "controls/edit_control.h"

namespace kx14 {

// The Qt line edit of a TEditControl: it holds the text and reports the
// control's events (key down, typed character, focus exit, mouse release).
// With ecUpperCase, letters are turned to upper case as they are typed or
// pasted.
class TEdit : public QLineEdit, public TEditControl {
 public:
  explicit TEdit(QWidget* parent);

  void SelectAll() override { selectAll(); }
  void SetFocus() override { setFocus(); }

 protected:
  std::string NativeText() const override { return text().toStdString(); }
  void ShowText(const std::string& value) override { setText(QString::fromStdString(value)); }
  void ShowCharCase(TEditCharCase charCase) override;

  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // False when OnKeyDown consumed the key.
  bool RunKeyDown(const QKeyEvent& event);
  // The typed text after OnKeyPress; empty when the handler dropped it.
  QString RunKeyPress(const QString& typed);
};

}  // namespace kx14
