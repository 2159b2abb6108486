// The port list and the port opening on Linux: the refresh from sysfs and
// the ports directory's own entries (fake trees), and ports that the
// opening refuses on Linux (ptys): one another program holds, and a number
// that maps to no entry. The refresh's sort, kept selection and skipped
// names, and what choosing and closing the list does, are the shared window
// suite's (tests/window_suite/port_list_suite.cpp, port_opening_suite.cpp).

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTest>
#include <memory>

#include "fake_port_tree.h"
#include "form_fixture.h"
#include "pty_pair.h"
#include "window_test_support.h"

namespace kx14 {
namespace {

using testing::ChooseFromList;
using testing::CloseUpCounter;
using testing::FakePortTree;
using testing::PtyPair;

QStringList Items(const TComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

QString Utf8(const char* text) { return QString::fromUtf8(text); }

}  // namespace

class PortListTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fixture_.Create();
    QVERIFY(fixture_.Active());
    tree_ = std::make_unique<FakePortTree>();
    fixture_.Form().UsePortSources(tree_->Sources());
    closeUps_ = std::make_unique<CloseUpCounter>(fixture_.Form().CommBox);
  }
  void cleanup() {
    closeUps_.reset();
    fixture_.Destroy();
    tree_.reset();
  }

  void dropDownRefreshesTheList_data();
  void dropDownRefreshesTheList();
  void entriesThatAreNoPortAreLeftOut();
  void unusablePortIsReportedAndLeftClosed_data();
  void unusablePortIsReportedAndLeftClosed();

 private:
  TMainForm& Form() { return fixture_.Form(); }
  // Chooses `name` and waits for its close-up to have run.
  void Choose(const QString& name) {
    const int before = closeUps_->Count();
    QVERIFY2(ChooseFromList(Form().CommBox, name), qPrintable(name));
    QTRY_COMPARE(closeUps_->Count(), before + 1);
  }

  FormFixture fixture_;
  std::unique_ptr<FakePortTree> tree_;
  std::unique_ptr<CloseUpCounter> closeUps_;
};

void PortListTest::dropDownRefreshesTheList_data() {
  QTest::addColumn<QStringList>("userPorts");
  QTest::addColumn<QStringList>("detectedTtys");
  QTest::addColumn<QStringList>("items");
  // Detected adapters (sysfs, Linux only) among the user-defined ports; the
  // refresh from user-defined ports alone, the sort and the reports are the
  // shared window suite's (tests/window_suite/port_list_suite.cpp).
  // User-defined ports come first in the machine's order and a detected
  // adapter takes COM1: only the sort puts COM1 first.
  QTest::newRow("detected takes COM1") << QStringList{"COM10", "COM2"} << QStringList{"ttyUSB0"}
                                       << QStringList{"OFF", "COM1", "COM2", "COM10"};
  QTest::newRow("detected only") << QStringList{} << QStringList{"ttyACM0", "ttyS0"}
                                 << QStringList{"OFF", "COM1", "COM2"};
}

void PortListTest::dropDownRefreshesTheList() {
  QFETCH(QStringList, userPorts);
  QFETCH(QStringList, detectedTtys);
  QFETCH(QStringList, items);
  for (const QString& name : userPorts) tree_->AddUserPort(name.toStdString());
  for (const QString& tty : detectedTtys) tree_->AddTty(tty.toStdString());
  Form().CommBox->OnDropDown(Form().CommBox);
  QCOMPARE(Items(Form().CommBox), items);
  QCOMPARE(Form().CommBox->ItemIndex(), 0);
  QCOMPARE(Form().MON_EDIT->text(), Utf8("起動完了"));  // a refresh reports nothing
  QVERIFY(!Form().CommX1->IsOpen());
}

// The selection kept by text is the shared window suite's; entries of the
// ports folder that are no port are Linux's own.
void PortListTest::entriesThatAreNoPortAreLeftOut() {
  // A plain file and a dangling link.
  tree_->AddUserPort("COM1");
  tree_->AddPlainFile("COM2");
  tree_->AddUserPort("COM4", tree_->PortsDir() / "gone");
  Form().CommBox->OnDropDown(Form().CommBox);
  QCOMPARE(Items(Form().CommBox), (QStringList{"OFF", "COM1"}));
}

void PortListTest::unusablePortIsReportedAndLeftClosed_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("held");
  // Held by another program: its exclusive lock on the device. Linux only:
  // Wine checks the sharing mode of regular files and folders alone, so
  // under Wine a COM port that another handle holds opens again (Windows
  // itself refuses the second open).
  QTest::newRow("held") << "COM6" << true;
  // Lists as number 7, but COM7 maps to no entry of that exact name: it
  // fails rather than open some other device.
  QTest::newRow("number maps to nothing") << "COM07" << false;
}

void PortListTest::unusablePortIsReportedAndLeftClosed() {
  QFETCH(QString, name);
  QFETCH(bool, held);
  PtyPair open;
  tree_->AddUserPort("COM2", open.SlavePath());
  Choose(QStringLiteral("COM2"));
  QVERIFY(Form().CommX1->IsOpen());

  PtyPair pty;
  int holder = -1;
  if (held) {
    holder = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    QVERIFY(holder >= 0);
    QCOMPARE(::flock(holder, LOCK_EX | LOCK_NB), 0);
  }
  tree_->AddUserPort(name.toStdString(), pty.SlavePath());
  tree_->RemoveUserPort("COM2");  // the list then holds `name` alone
  Choose(name);
  QCOMPARE(Form().MON_EDIT->text(), name + Utf8(" は使用できません"));
  QVERIFY(!Form().CommX1->IsOpen());              // the earlier port was closed first
  QCOMPARE(Form().CommBox->currentText(), name);  // the failed name stays selected
  if (holder >= 0) ::close(holder);
}

}  // namespace kx14

QTEST_MAIN(kx14::PortListTest)
#include "port_list_test.moc"
