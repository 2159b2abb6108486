// A real device on a real port, through the same path as the user: the port
// list, the close-up that opens the port, and the command buttons. Skipped
// unless KX14_HW_PORT names the port: a device path (/dev/ttyUSB0,
// /dev/serial/by-id/...) or a COM name of this machine's list (COM3).
// KX14_HW_PROGRAM=1 also stores the block that the read left in the window
// (with the fixed values every program operation sends).

#include <QTest>
#include <memory>

#include "fake_port_tree.h"
#include "form_fixture.h"
#include "window_test_support.h"

namespace kx14 {
namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

}  // namespace

class HardwareTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    port_ = qEnvironmentVariable("KX14_HW_PORT");
    if (port_.isEmpty()) QSKIP("KX14_HW_PORT names no device");
    fixture_.Create();
  }
  void cleanup() {
    fixture_.Destroy();
    tree_.reset();
  }

  void readAndProgramTheDevice();

 private:
  // The COM name to choose: a device path gets a private ports directory
  // whose COM1 links to it.
  QString PortToChoose() {
    if (!port_.startsWith(QLatin1Char('/'))) return port_;
    tree_ = std::make_unique<testing::FakePortTree>();
    tree_->AddUserPort("COM1", port_.toStdString());
    fixture_.Form().UsePortSources(tree_->Sources());
    return QStringLiteral("COM1");
  }

  FormFixture fixture_;
  QString port_;
  std::unique_ptr<testing::FakePortTree> tree_;
};

void HardwareTest::readAndProgramTheDevice() {
  TMainForm& form = fixture_.Form();
  const QString name = PortToChoose();
  testing::CloseUpCounter closeUps(form.CommBox);
  QVERIFY2(testing::ChooseFromList(form.CommBox, name), qPrintable(name + " is not listed"));
  QTRY_COMPARE(closeUps.Count(), 1);
  QCOMPARE(form.MON_EDIT->text(), name + Utf8(" 設定完了"));

  form.READ_BTN->click();
  QCOMPARE(form.MON_EDIT->text(), Utf8("読み取り成功"));
  qInfo("read: YOURID %d MYID %d OT_MAX %d", form.YOUID_EDIT->Tag, form.MYID_EDIT->Tag,
        form.THR_BAR->Position());

  if (qEnvironmentVariable("KX14_HW_PROGRAM") != QLatin1String("1")) return;
  form.PROGRAM_BTN->click();
  QCOMPARE(form.MON_EDIT->text(), Utf8("書き込み成功"));
}

}  // namespace kx14

QTEST_MAIN(kx14::HardwareTest)
#include "hardware_test.moc"
