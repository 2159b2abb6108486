#include "window_test_support.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QTest>

#include "ui/qt/combo_box.h"
#include "ui/qt/edit.h"
#include "ui/qt/main_form.h"

namespace kx14::testing {

bool ChooseFromList(TComboBox* list, const QString& name) {
  list->showPopup();
  const int index = list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
  QAbstractItemView* view = list->view();
  if (index < 0) {
    QTest::keyClick(view, Qt::Key_Escape);
    return false;
  }
  view->setCurrentIndex(list->model()->index(index, 0));
  QTest::keyClick(view, Qt::Key_Return);
  return true;
}

void DropDownAndDismiss(TComboBox* list) {
  list->showPopup();
  QTest::keyClick(list->view(), Qt::Key_Escape);
}

CloseUpCounter::CloseUpCounter(TComboBox* list) : list_(list), original_(list->OnCloseUp) {
  list_->OnCloseUp = [this](TComboBoxControl* sender) {
    if (original_) original_(sender);
    ++count_;
  };
}

CloseUpCounter::~CloseUpCounter() { list_->OnCloseUp = original_; }

InformationHistory::InformationHistory(TMainForm& form) {
  QObject::connect(form.MON_EDIT, &QLineEdit::textChanged, this,
                   [this](const QString& text) { texts_ << text; });
}

ModalBoxCatcher::ModalBoxCatcher() {
  QObject::connect(&timer_, &QTimer::timeout, [this] { CloseActiveBox(); });
  timer_.start(10);
}

void ModalBoxCatcher::CloseActiveBox() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  boxes_.append({box->windowTitle(), box->text(), box->icon()});
  box->button(QMessageBox::Ok)->click();
}

}  // namespace kx14::testing
