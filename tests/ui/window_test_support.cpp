#include "window_test_support.h"

#include <pty.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <fstream>
#include <stdexcept>

#include "ui/qt/combo_box.h"
#include "ui/qt/edit.h"
#include "ui/qt/main_form.h"

namespace kx14::testing {
namespace fs = std::filesystem;

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

FakePortTree::FakePortTree() {
  if (!dir_.isValid()) throw std::runtime_error("no temporary directory");
}

PortSources FakePortTree::Sources() const {
  return {PortsDir(), fs::path(dir_.path().toStdString()) / "sys"};
}

fs::path FakePortTree::PortsDir() const {
  return fs::path(dir_.path().toStdString()) / "config" / "kx14-manager" / "ports";
}

void FakePortTree::AddUserPort(const std::string& name, const fs::path& device) {
  fs::create_directories(PortsDir());
  fs::create_symlink(device, PortsDir() / name);
}

void FakePortTree::RemoveUserPort(const std::string& name) { fs::remove(PortsDir() / name); }

void FakePortTree::AddDetectedTty(const std::string& ttyName) {
  const fs::path sysfs = Sources().sysfsRoot;
  const fs::path dir = sysfs / "devices" / ttyName;
  fs::create_directories(dir);
  fs::create_directories(sysfs / "class" / "tty");
  fs::create_directory_symlink(dir, sysfs / "class" / "tty" / ttyName);
  fs::create_directory_symlink("../../platform/serial", dir / "device");
}

void FakePortTree::AddPlainFile(const std::string& name) {
  fs::create_directories(PortsDir());
  std::ofstream(PortsDir() / name) << "not a device\n";
}

PtyPair::PtyPair() {
  char name[256] = {};
  if (::openpty(&master_, &slaveFd_, name, nullptr, nullptr) != 0) {
    throw std::runtime_error("openpty failed");
  }
  slave_ = name;
}

PtyPair::~PtyPair() {
  ::close(slaveFd_);
  ::close(master_);
}

}  // namespace kx14::testing
