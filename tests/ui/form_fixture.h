#pragma once

// A freshly created main window per test, shown and active so that focus
// changes deliver their events as they do for the user.

#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "ui/qt/bitmap_button.h"
#include "ui/qt/combo_box.h"
#include "ui/qt/edit.h"
#include "ui/qt/main_form.h"
#include "ui/qt/panel.h"
#include "ui/qt/radio_button.h"
#include "ui/qt/scroll_bar.h"
#include "ui/qt/speed_button.h"
#include "ui/qt/static_text.h"

namespace kx14 {

class FormFixture {
 public:
  // The window records its stores in the fixture's own history folder
  // (or `historyFolder`), never the user's.
  TMainForm& Create(const QString& historyFolder = {}) {
    history_ = std::make_unique<QTemporaryDir>();
    qputenv("KX14_HISTORY_DIR",
            (historyFolder.isEmpty() ? HistoryFolder() : historyFolder).toUtf8());
    form_ = std::make_unique<TMainForm>();
    form_->show();
    form_->activateWindow();
    active_ = QTest::qWaitForWindowActive(form_.get());
    return *form_;
  }
  void Destroy() { form_.reset(); }
  bool Active() const { return active_; }
  TMainForm& Form() { return *form_; }
  QString HistoryFolder() const { return history_->filePath("history"); }

  template <typename Control>
  Control* Named(const QString& name) {
    return form_->findChild<Control*>(name);
  }

  // Shows one of the editor panels that the window keeps hidden, so that a
  // test can give its controls the focus. The window itself never does.
  static void Reveal(QWidget* panel) { panel->show(); }

 private:
  std::unique_ptr<QTemporaryDir> history_;  // fresh for each window
  std::unique_ptr<TMainForm> form_;
  bool active_ = false;
};

}  // namespace kx14
