// The port list and the port opening: the refresh from the ports directory
// and sysfs (fake trees), the selection kept by text, the conversion error,
// and what closing the list does to CommX1 and MON_EDIT (ports on ptys).

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
  void selectionIsKeptByTextIgnoringCase();
  void vanishedPortFallsBackToOffAndClosingUpClosesIt();
  void nameWithoutNumberIsSkippedAndNamed_data();
  void nameWithoutNumberIsSkippedAndNamed();
  void choosingAPortOpensIt();
  void choosingOffClosesThePort();
  void dismissingTheListReopensTheChosenPort();
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
  // User-defined ports come first in the machine's order and a detected
  // adapter takes COM1: only the sort puts COM1 first, and by number, so
  // COM10 comes after COM2.
  QTest::newRow("numeric order") << QStringList{"COM10", "COM2"} << QStringList{"ttyUSB0"}
                                 << QStringList{"OFF", "COM1", "COM2", "COM10"};
  QTest::newRow("detected only") << QStringList{} << QStringList{"ttyACM0", "ttyS0"}
                                 << QStringList{"OFF", "COM1", "COM2"};
  // A single name is never converted, so it is listed whatever it is.
  QTest::newRow("single name unsorted")
      << QStringList{"PORTX"} << QStringList{} << QStringList{"OFF", "PORTX"};
  QTest::newRow("nothing reported") << QStringList{} << QStringList{} << QStringList{"OFF"};
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

void PortListTest::selectionIsKeptByTextIgnoringCase() {
  // Entries that are no port are left out: a plain file and a dangling link.
  tree_->AddUserPort("com3");
  tree_->AddUserPort("COM1");
  tree_->AddPlainFile("COM2");
  tree_->AddUserPort("COM4", tree_->PortsDir() / "gone");
  Form().CommBox->SetItemIndex(3);  // "COM3" of the start list
  Form().CommBox->OnDropDown(Form().CommBox);
  QCOMPARE(Items(Form().CommBox), (QStringList{"OFF", "COM1", "com3"}));
  QCOMPARE(Form().CommBox->currentText(), QStringLiteral("com3"));
}

void PortListTest::vanishedPortFallsBackToOffAndClosingUpClosesIt() {
  PtyPair pty;
  tree_->AddUserPort("COM5", pty.SlavePath());
  Choose(QStringLiteral("COM5"));
  QCOMPARE(Form().MON_EDIT->text(), Utf8("COM5 設定完了"));
  QVERIFY(Form().CommX1->IsOpen());

  tree_->RemoveUserPort("COM5");
  Form().CommBox->OnDropDown(Form().CommBox);
  QCOMPARE(Items(Form().CommBox), QStringList{"OFF"});
  QCOMPARE(Form().CommBox->ItemIndex(), 0);
  QVERIFY(Form().CommX1->IsOpen());  // the refresh alone opens and closes nothing

  const int before = closeUps_->Count();
  testing::DropDownAndDismiss(Form().CommBox);
  QTRY_COMPARE(closeUps_->Count(), before + 1);
  QCOMPARE(Form().MON_EDIT->text(), Utf8("シリアルポートを閉じました"));
  QVERIFY(!Form().CommX1->IsOpen());
}

void PortListTest::nameWithoutNumberIsSkippedAndNamed_data() {
  QTest::addColumn<QString>("badName");
  QTest::addColumn<QString>("shown");
  QTest::newRow("letters") << "COMX"
                           << "COMX";
  QTest::newRow("nothing after COM") << "COM"
                                     << "COM";
  QTest::newRow("lower case, multi-byte") << Utf8("comポート") << Utf8("COMポート");
}

void PortListTest::nameWithoutNumberIsSkippedAndNamed() {
  QFETCH(QString, badName);
  QFETCH(QString, shown);
  tree_->AddUserPort("COM1");
  tree_->AddUserPort(badName.toStdString());
  tree_->AddUserPort("COM3");
  Form().CommBox->SetItemIndex(3);  // "COM3" of the start list
  testing::ModalBoxCatcher boxes;
  // Through the bound handler, as the drop-down runs it.
  Form().CommBox->OnDropDown(Form().CommBox);
  QVERIFY(boxes.Boxes().isEmpty());
  QCOMPARE(Items(Form().CommBox), (QStringList{"OFF", "COM1", "COM3"}));
  QCOMPARE(Form().CommBox->currentText(), QStringLiteral("COM3"));
  QCOMPARE(Form().MON_EDIT->text(), Utf8("番号のないポート名を一覧から除外: ") + shown);
}

void PortListTest::choosingAPortOpensIt() {
  PtyPair pty;
  tree_->AddUserPort("COM4", pty.SlavePath());
  Choose(QStringLiteral("COM4"));
  QCOMPARE(Form().MON_EDIT->text(), Utf8("COM4 設定完了"));
  QVERIFY(Form().CommX1->IsOpen());
  QCOMPARE(Form().CommX1->PortNo(), 4);
}

void PortListTest::choosingOffClosesThePort() {
  PtyPair pty;
  tree_->AddUserPort("COM4", pty.SlavePath());
  Choose(QStringLiteral("COM4"));
  QVERIFY(Form().CommX1->IsOpen());
  Choose(QStringLiteral("OFF"));
  QCOMPARE(Form().MON_EDIT->text(), Utf8("シリアルポートを閉じました"));
  QVERIFY(!Form().CommX1->IsOpen());
}

void PortListTest::dismissingTheListReopensTheChosenPort() {
  PtyPair pty;
  tree_->AddUserPort("COM4", pty.SlavePath());
  Choose(QStringLiteral("COM4"));
  Form().MON_EDIT->setText(QStringLiteral("-"));
  const int before = closeUps_->Count();
  testing::DropDownAndDismiss(Form().CommBox);
  QTRY_COMPARE(closeUps_->Count(), before + 1);
  QCOMPARE(Form().MON_EDIT->text(), Utf8("COM4 設定完了"));
  QVERIFY(Form().CommX1->IsOpen());
}

void PortListTest::unusablePortIsReportedAndLeftClosed_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("held");
  // Held by another program: its exclusive lock on the device.
  QTest::newRow("held") << "COM6" << true;
  // Listed alone, so never converted by the sort; the opening converts it.
  QTest::newRow("no number") << "COMX" << false;
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
