#pragma once

#include <QWidget>
#include <string>

#include "ui/form/main_form_logic.h"
#include "ui/qt/qt_kit.h"

namespace kx14 {

// The program's one window on Qt: the shared form (controls, layout,
// handlers, start-up; see TMainFormLogic) on a fixed 310 x 416 client area
// that cannot be resized. Every handler runs on the GUI thread; an
// exception escaping one is shown in the error box and the window carries
// on.
class TMainForm : public QWidget, public TMainFormLogic<QtKit> {
 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // Accepts every request as it comes; the fixed client size then wins.
  void FormCanResize(QObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);

 protected:
  // Closing (exit button, title bar) closes the port. While a device
  // operation waits, the window stays until it has returned: the closed port
  // ends the wait at once, and no handler is still inside the component or
  // the operation when the window goes.
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

  void CloseWindow() override { close(); }
  void ShowError(const std::string& message) override;
};

}  // namespace kx14
