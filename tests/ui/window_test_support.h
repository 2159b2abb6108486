#pragma once

// Helpers for window tests that drive the port list and the command buttons
// the way the user does, and watch what the window reports.

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "controls/combo_box_control.h"

namespace kx14 {

class TComboBox;
class TMainForm;

namespace testing {

// Drops the list down (which refreshes it), moves to the entry `name` and
// takes it with Enter. Returns at once; the close-up runs when events are
// next processed. False, with the list closed again, when `name` is not
// listed after the refresh.
bool ChooseFromList(TComboBox* list, const QString& name);
// Drops the list down and dismisses it with Escape.
void DropDownAndDismiss(TComboBox* list);

// Counts the close-ups of the window's port list while it lives; the
// window's own handler still runs first, and is the only one again
// afterwards. The list must outlive the counter.
class CloseUpCounter {
 public:
  explicit CloseUpCounter(TComboBox* list);
  ~CloseUpCounter();
  CloseUpCounter(const CloseUpCounter&) = delete;
  CloseUpCounter& operator=(const CloseUpCounter&) = delete;
  int Count() const { return count_; }

 private:
  TComboBox* list_;
  std::function<void(TComboBoxControl*)> original_;
  int count_ = 0;
};

// Every text that MON_EDIT takes, in order (a text set twice in a row is
// recorded once).
class InformationHistory : public QObject {
 public:
  explicit InformationHistory(TMainForm& form);
  const QStringList& Texts() const { return texts_; }
  void Clear() { texts_.clear(); }

 private:
  QStringList texts_;
};

// Watches for modal message boxes while it lives, records each one's caption
// and text and closes it with its OK button.
class ModalBoxCatcher {
 public:
  ModalBoxCatcher();
  struct Box {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
  };
  const QList<Box>& Boxes() const { return boxes_; }

 private:
  void CloseActiveBox();
  QTimer timer_;
  QList<Box> boxes_;
};

}  // namespace testing
}  // namespace kx14
