// READ_BTN and PROGRAM_BTN against the real device simulator: the controls a
// read fills, the handicap level it chooses, the frames the program
// operation sends, and every failure text.

#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <filesystem>
#include <memory>

#include "form_fixture.h"
#include "history/history_reader.h"
#include "simulated_device.h"
#include "ui/form/handicap_presets.h"
#include "window_test_support.h"

namespace kx14 {
namespace {

using testing::InformationHistory;
using testing::SimulatedDevice;

QString Utf8(const char* text) { return QString::fromUtf8(text); }

const char* const kWorkedExample = "5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51";
constexpr int kTestTimeOutMs = 300;  // the exchange's receive time-out in these tests

// Everything a read may change, apart from MON_EDIT.
QStringList WindowState(TMainForm& form) {
  QStringList state;
  for (TRadioButton* button :
       {form.BUP_00h, form.BUP_5Ah, form.MAS_ON, form.MAS_OFF, form.OT_ON, form.OT_OFF,
        form.Handy_S, form.Handy_M, form.Handy0, form.Handy1, form.Handy2, form.Handy3, form.Handy4,
        form.Handy5, form.Handy6, form.Handy_7}) {
    state << button->objectName() + (button->Checked() ? "=on" : "=off");
  }
  for (TScrollBar* bar : {form.LAST_BAR, form.MODE_BAR, form.UA_BAR, form.LOW_BAR, form.HICH_BAR,
                          form.THR_BAR, form.YOBI1_BAR, form.YOBI2_BAR}) {
    state << bar->objectName() + "=" + QString::number(bar->Position()) + "/" +
                 QString::fromStdString(bar->PartnerEdit->Text());
  }
  for (TEdit* field : {form.YOUID_EDIT, form.MYID_EDIT}) {
    state << field->objectName() + "=" + QString::number(field->Tag) + "/" + field->text();
  }
  state << form.K_Comment->text();
  return state;
}

// The handicap buttons in the order of their comments.
const QStringList kPresetNames = {"Handy_S", "Handy_M", "Handy0", "Handy1", "Handy2",
                                  "Handy3",  "Handy4",  "Handy5", "Handy6", "Handy_7"};

TRadioButton* PresetButton(TMainForm& form, const QString& name) {
  return form.findChild<TRadioButton*>(name);
}

}  // namespace

class DeviceOperationsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fixture_.Create();
    QVERIFY(fixture_.Active());
    Form().CommX1->SetTimeOutReceive(kTestTimeOutMs);
    history_ = std::make_unique<InformationHistory>(Form());
  }
  void cleanup() {
    history_.reset();
    fixture_.Destroy();
    device_.reset();
  }

  void readFillsTheControlsFromTheWorkedExample();
  void readOfASilentDeviceFailsAfterTheTimeOut();
  void readWithAWrongChecksumChangesNoControl();
  void readChoosesTheHandicapLevel_data();
  void readChoosesTheHandicapLevel();
  void programSendsTheWorkedExampleWithTheChosenLevel();
  void programRightAfterStartSendsTheLevelShown();
  void programKeepsTheDevicesIdentityAndTheWindowsMasterFlag();
  void programFailures_data();
  void programFailures();
  void programWithNoPortOpenReportsItsReadFirst();
  void aDeviceWithoutEchoIsServed();
  void programRecordsTheBlockTheDeviceHeld();
  void programGoesAheadWhenTheHistoryCannotBeWritten();

 private:
  TMainForm& Form() { return fixture_.Form(); }
  // Starts the simulator and opens its port through the port list.
  void Attach(const std::vector<std::string>& args = {}) {
    device_ = std::make_unique<SimulatedDevice>(args);
    Form().UsePortSources(device_->Sources());
    testing::CloseUpCounter closeUps(Form().CommBox);
    QVERIFY(testing::ChooseFromList(Form().CommBox, device_->PortName()));
    QTRY_COMPARE(closeUps.Count(), 1);
    QCOMPARE(Form().MON_EDIT->text(), device_->PortName() + Utf8(" 設定完了"));
    history_->Clear();
  }
  QStringList History() const { return history_->Texts(); }

  FormFixture fixture_;
  std::unique_ptr<SimulatedDevice> device_;
  std::unique_ptr<InformationHistory> history_;
};

void DeviceOperationsWindowTest::readFillsTheControlsFromTheWorkedExample() {
  Attach();
  QTest::mouseClick(Form().READ_BTN, Qt::LeftButton);
  QCOMPARE(History(), QStringList{Utf8("読み取り成功")});
  QCOMPARE(device_->NextLine("rx "), std::optional<std::string>("E5"));
  TMainForm& form = Form();
  QVERIFY(form.BUP_5Ah->Checked() && !form.BUP_00h->Checked());
  QCOMPARE(form.YOUID_EDIT->Tag, 1);
  QCOMPARE(form.YOUID_EDIT->text(), QStringLiteral("1"));
  QCOMPARE(form.MYID_EDIT->Tag, 2);
  QCOMPARE(form.MYID_EDIT->text(), QStringLiteral("2"));
  QVERIFY(form.MAS_OFF->Checked() && form.OT_OFF->Checked());
  for (TScrollBar* bar : {form.LAST_BAR, form.MODE_BAR, form.UA_BAR, form.LOW_BAR, form.HICH_BAR}) {
    QCOMPARE(bar->Position(), 0);
  }
  QCOMPARE(form.THR_BAR->Position(), 5);
  QCOMPARE(form.THR_EDIT->text(), QStringLiteral("5"));
  QCOMPARE(form.YOBI1_BAR->Position(), 3);
  QCOMPARE(form.YOBI1_EDIT->text(), QStringLiteral("3"));
  QCOMPARE(form.YOBI2_BAR->Position(), 74);  // MAXPWR byte 0x51
  QCOMPARE(form.YOBI2_EDIT->text(), QStringLiteral("74"));
  // OT_MAX 5 is Handy0's level, already selected: no handler, no comment.
  QVERIFY(form.Handy0->Checked());
  QCOMPARE(form.K_Comment->text(), Utf8("開発室から一言："));
}

void DeviceOperationsWindowTest::readOfASilentDeviceFailsAfterTheTimeOut() {
  Attach({"--silent"});
  const QStringList before = WindowState(Form());
  QElapsedTimer clock;
  clock.start();
  Form().READ_BTN->click();
  QVERIFY(clock.elapsed() >= kTestTimeOutMs - 20);  // it waited for the time-out
  QCOMPARE(History(), QStringList{Utf8("読み取り失敗")});
  QCOMPARE(WindowState(Form()), before);
}

void DeviceOperationsWindowTest::readWithAWrongChecksumChangesNoControl() {
  Attach({"--bad-checksum"});
  const QStringList before = WindowState(Form());
  Form().READ_BTN->click();
  QCOMPARE(History(), QStringList{Utf8("読み取り失敗")});
  QCOMPARE(WindowState(Form()), before);
  QVERIFY(device_->NextLine("tx E5 5A").has_value());  // a full reply did come
}

void DeviceOperationsWindowTest::readChoosesTheHandicapLevel_data() {
  QTest::addColumn<QString>("selectedBefore");
  QTest::addColumn<int>("otMax");  // the device's byte
  QTest::addColumn<int>("reads");
  QTest::addColumn<QString>("selectedAfter");
  QTest::addColumn<int>("thrAfter");
  QTest::addColumn<bool>("commentShown");  // the level's handler ran
  QTest::newRow("13 from Handy0") << "Handy0" << 13 << 1 << "Handy6" << 15 << true;
  QTest::newRow("13 read again") << "Handy0" << 13 << 2 << "Handy6" << 13 << true;
  QTest::newRow("5 keeps Handy0") << "Handy0" << 5 << 1 << "Handy0" << 5 << false;
  QTest::newRow("0 is position 1") << "Handy0" << 0 << 1 << "Handy_S" << 1 << true;
  QTest::newRow("255 is position 250") << "Handy0" << 255 << 1 << "Handy_7" << 250 << true;
  QTest::newRow("11 nearest Handy5") << "Handy0" << 11 << 1 << "Handy5" << 10 << true;
  QTest::newRow("12 lower edge of Handy6") << "Handy0" << 12 << 1 << "Handy6" << 15 << true;
  QTest::newRow("17 lower edge of Handy_7") << "Handy0" << 17 << 1 << "Handy_7" << 250 << true;
  QTest::newRow("4 Handy_M") << "Handy0" << 4 << 1 << "Handy_M" << 3 << true;
  QTest::newRow("2 Handy_S") << "Handy0" << 2 << 1 << "Handy_S" << 1 << true;
  // Handy3's own count, while Handy3 is selected: its handler does not run.
  QTest::newRow("8 while Handy3") << "Handy3" << 8 << 1 << "Handy3" << 8 << false;
}

void DeviceOperationsWindowTest::readChoosesTheHandicapLevel() {
  QFETCH(QString, selectedBefore);
  QFETCH(int, otMax);
  QFETCH(int, reads);
  QFETCH(QString, selectedAfter);
  QFETCH(int, thrAfter);
  QFETCH(bool, commentShown);
  QString block = QString::fromLatin1(kWorkedExample);
  block.replace(39, 2, QStringLiteral("%1").arg(otMax, 2, 16, QLatin1Char('0')).toUpper());
  Attach({"--block", block.toStdString()});
  PresetButton(Form(), selectedBefore)->SetChecked(true);
  const QString commentBefore = Form().K_Comment->text();
  for (int read = 0; read < reads; ++read) Form().READ_BTN->click();
  QCOMPARE(Form().MON_EDIT->text(), Utf8("読み取り成功"));
  QVERIFY(PresetButton(Form(), selectedAfter)->Checked());
  QCOMPARE(Form().THR_BAR->Position(), thrAfter);
  QCOMPARE(Form().THR_EDIT->text(), QString::number(thrAfter));
  const int level = static_cast<int>(kPresetNames.indexOf(selectedAfter));
  QCOMPARE(Form().K_Comment->text(),
           commentShown ? QString::fromStdString(PresetComment(level)) : commentBefore);
}

void DeviceOperationsWindowTest::programSendsTheWorkedExampleWithTheChosenLevel() {
  Attach();
  Form().READ_BTN->click();
  QTest::mouseClick(Form().Handy3, Qt::LeftButton);
  QCOMPARE(Form().THR_BAR->Position(), 8);
  QTest::mouseClick(Form().PROGRAM_BTN, Qt::LeftButton);
  QCOMPARE(History(), (QStringList{Utf8("読み取り成功"), Utf8("書き込み成功")}));
  QCOMPARE(device_->NextLine("rx F5 "),
           std::optional<std::string>("5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51 C1"));
  QCOMPARE(device_->NextLine("stored "),
           std::optional<std::string>("5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51"));
  QVERIFY(Form().OT_ON->Checked());
  QCOMPARE(Form().YOBI1_EDIT->text(), QStringLiteral("3"));
  QCOMPARE(Form().YOBI2_EDIT->text(), QStringLiteral("74"));
}

void DeviceOperationsWindowTest::programRightAfterStartSendsTheLevelShown() {
  // No read and no level chosen: the level shown selected, Handy0, is the
  // one stored (OT_MAX 5).
  Attach();
  Form().PROGRAM_BTN->click();
  QCOMPARE(History(), (QStringList{Utf8("読み取り成功"), Utf8("書き込み成功")}));
  QCOMPARE(device_->NextLine("stored "),
           std::optional<std::string>("5A 00 00 01 00 00 02 08 00 00 00 00 00 05 03 51"));
}

void DeviceOperationsWindowTest::programKeepsTheDevicesIdentityAndTheWindowsMasterFlag() {
  // BUP 33 (goes back as 00), identifiers, channels and a set MASTERF bit;
  // OT_MAX 200, OT_TIME 9 and MAXPWR 00 are not taken over.
  Attach({"--block", "33 12 34 56 AB CD EF 09 01 02 03 04 05 C8 09 00"});
  Form().PROGRAM_BTN->click();
  QCOMPARE(History(), (QStringList{Utf8("読み取り成功"), Utf8("書き込み成功")}));
  QVERIFY(Form().BUP_00h->Checked());
  QCOMPARE(Form().YOUID_EDIT->Tag, 0x123456);
  QCOMPARE(Form().MYID_EDIT->text(), QString::number(0xABCDEF));
  QVERIFY(Form().MAS_OFF->Checked());
  QCOMPARE(Form().HICH_EDIT->text(), QStringLiteral("5"));
  QCOMPARE(device_->NextLine("stored "),
           std::optional<std::string>("00 12 34 56 AB CD EF 08 01 02 03 04 05 05 03 51"));
}

void DeviceOperationsWindowTest::programFailures_data() {
  QTest::addColumn<QString>("fault");
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<int>("programReplyLength");
  // 18 echoed bytes and 0x15 instead of the acknowledgement.
  QTest::newRow("refused") << "--refuse" << QStringList{Utf8("読み取り成功"), Utf8("書き込み失敗")}
                           << 19;
  // Every reply one byte short: the preliminary read fails too, and the
  // program reply is the echo without the acknowledgement.
  QTest::newRow("18-byte reply") << "--short"
                                 << QStringList{Utf8("読み取り失敗"), Utf8("書き込み失敗")} << 18;
}

void DeviceOperationsWindowTest::programFailures() {
  QFETCH(QString, fault);
  QFETCH(QStringList, texts);
  QFETCH(int, programReplyLength);
  Attach({fault.toStdString()});
  Form().PROGRAM_BTN->click();
  QCOMPARE(History(), texts);
  const std::optional<std::string> reply = device_->NextLine("tx F5 ");
  QVERIFY(reply.has_value());
  QCOMPARE(static_cast<int>(reply->size() + 1) / 3 + 1, programReplyLength);
}

// Replies that lead with random bytes instead of the command's echo, in
// time: the window never refuses them, not even after a program exchange.
void DeviceOperationsWindowTest::aDeviceWithoutEchoIsServed() {
  Attach({"--no-echo"});
  for (int round = 0; round < 2; ++round) {
    Form().PROGRAM_BTN->click();
    QCOMPARE(Form().MON_EDIT->text(), Utf8("書き込み成功"));
    Form().READ_BTN->click();
    QCOMPARE(Form().MON_EDIT->text(), Utf8("読み取り成功"));
  }
}

// That both operations fail at once with no port open, and what each leaves
// in the window, is the shared window suite's
// (tests/window_suite/no_port_operations_suite.cpp); the order of Program's
// reports needs the information field's every text, which only Qt records.
void DeviceOperationsWindowTest::programWithNoPortOpenReportsItsReadFirst() {
  Form().PROGRAM_BTN->click();
  QCOMPARE(History(), (QStringList{Utf8("読み取り失敗"), Utf8("書き込み失敗")}));
}

// The history's entry is on the disk before the frame goes out; its result
// follows from the window's recorder.
void DeviceOperationsWindowTest::programRecordsTheBlockTheDeviceHeld() {
  Attach({"--block", "5A 00 00 01 00 00 02 00 00 00 00 00 00 0A 03 51"});
  QTest::mouseClick(Form().Handy3, Qt::LeftButton);
  Form().PROGRAM_BTN->click();
  QCOMPARE(History(), (QStringList{Utf8("読み取り成功"), Utf8("書き込み成功")}));
  const std::filesystem::path folder = fixture_.HistoryFolder().toStdString();
  QTRY_COMPARE(history::ReadHistory(folder).size(), std::size_t{1});
  QTRY_COMPARE(history::ReadHistory(folder).at(0).result, history::TStoreResult::Acknowledged);
  const history::HistoryEntry entry = history::ReadHistory(folder).at(0);
  QCOMPARE(entry.program, std::string("kx14-manager"));
  QCOMPARE(entry.port, device_->PortName().toStdString());
  QVERIFY(entry.before.has_value());
  QCOMPARE(entry.before->at(13), std::uint8_t{0x0A});
  QCOMPARE(entry.sent.at(13), std::uint8_t{8});
}

// A folder under a file cannot be made, even by root: the store goes ahead
// and the trace says why nothing was recorded.
void DeviceOperationsWindowTest::programGoesAheadWhenTheHistoryCannotBeWritten() {
  QTemporaryDir dir;
  QVERIFY(QFile(dir.filePath("file")).open(QIODevice::WriteOnly));
  history_.reset();
  fixture_.Destroy();
  qputenv("KX14_TRACE", dir.filePath("trace").toUtf8());
  fixture_.Create(dir.filePath("file/history"));
  qunsetenv("KX14_TRACE");
  Form().CommX1->SetTimeOutReceive(kTestTimeOutMs);
  history_ = std::make_unique<InformationHistory>(Form());
  Attach();
  Form().PROGRAM_BTN->click();
  QCOMPARE(History(), (QStringList{Utf8("読み取り成功"), Utf8("書き込み成功")}));
  QVERIFY(device_->NextLine("stored ").has_value());
  QFile trace(dir.filePath("trace"));
  QVERIFY(trace.open(QIODevice::ReadOnly));
  QVERIFY(trace.readAll().contains("history not recorded"));
}

}  // namespace kx14

QTEST_MAIN(kx14::DeviceOperationsWindowTest)
#include "device_operations_window_test.moc"
