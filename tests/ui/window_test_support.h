#pragma once

// Helpers for window tests that drive the port list and the command buttons
// the way the user does, and watch what the window reports.

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>

#include "ports/com_ports.h"
#include "ui/form/controls/combo_box_control.h"

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

// A ports directory and a sysfs tree of the test's own, in a temporary
// directory; the window uses them through UsePortSources.
class FakePortTree {
 public:
  FakePortTree();
  PortSources Sources() const;
  std::filesystem::path PortsDir() const;
  // A user-defined port: a link named `name` to `device`.
  void AddUserPort(const std::string& name, const std::filesystem::path& device = "/dev/null");
  void RemoveUserPort(const std::string& name);
  // A detected serial device under class/tty, with its `device` link.
  void AddDetectedTty(const std::string& ttyName);
  // A directory entry that is no port: a plain file.
  void AddPlainFile(const std::string& name);

 private:
  QTemporaryDir dir_;
};

// A pseudo-terminal pair; the slave is the device a port entry links to.
class PtyPair {
 public:
  PtyPair();
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;
  const std::filesystem::path& Slave() const { return slave_; }
  int Master() const { return master_; }

 private:
  int master_ = -1;
  int slaveFd_ = -1;
  std::filesystem::path slave_;
};

}  // namespace testing
}  // namespace kx14
