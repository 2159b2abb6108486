// What PROGRAM_BTN records in the user's history, against the real device
// simulator: the entry is on the disk before the frame goes out, and a
// history that cannot be written never stops the store. The operations'
// behaviour in the window is the shared window suite's
// (tests/window_suite/device_operations_suite.cpp); the history folder and
// the trace file are the Qt fixture's.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>

#include "form_fixture.h"
#include "history/history_reader.h"
#include "simulated_device.h"
#include "window_test_support.h"

namespace kx14 {
namespace {

using testing::InformationHistory;
using testing::SimulatedDevice;

QString Utf8(const char* text) { return QString::fromUtf8(text); }

constexpr int kTestTimeOutMs = 300;  // the exchange's receive time-out in these tests

}  // namespace

class ProgramHistoryWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() {
    history_.reset();
    fixture_.Destroy();
    device_.reset();
  }

  void programRecordsTheBlockTheDeviceHeld();
  void programGoesAheadWhenTheHistoryCannotBeWritten();

 private:
  TMainForm& Form() { return fixture_.Form(); }
  // A window recording into `historyFolder` (empty: the fixture's own),
  // with the simulator's port opened through the port list.
  void Open(const std::vector<std::string>& deviceArgs, const QString& historyFolder = {}) {
    fixture_.Create(historyFolder);
    QVERIFY(fixture_.Active());
    Form().CommX1->SetTimeOutReceive(kTestTimeOutMs);
    history_ = std::make_unique<InformationHistory>(Form());
    device_ = std::make_unique<SimulatedDevice>(deviceArgs);
    Form().UsePortSources(device_->Sources());
    testing::CloseUpCounter closeUps(Form().CommBox);
    QVERIFY(testing::ChooseFromList(Form().CommBox, device_->PortName()));
    QTRY_COMPARE(closeUps.Count(), 1);
    QCOMPARE(Form().MON_EDIT->text(), device_->PortName() + Utf8(" 設定完了"));
    history_->Clear();
  }

  FormFixture fixture_;
  std::unique_ptr<SimulatedDevice> device_;
  std::unique_ptr<InformationHistory> history_;
};

// The history's entry is on the disk before the frame goes out; its result
// follows from the window's recorder.
void ProgramHistoryWindowTest::programRecordsTheBlockTheDeviceHeld() {
  Open({"--block", "5A 00 00 01 00 00 02 00 00 00 00 00 00 0A 03 51"});
  QTest::mouseClick(Form().Handy3, Qt::LeftButton);
  Form().PROGRAM_BTN->click();
  QCOMPARE(history_->Texts(), (QStringList{Utf8("読み取り成功"), Utf8("書き込み成功")}));
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
void ProgramHistoryWindowTest::programGoesAheadWhenTheHistoryCannotBeWritten() {
  QTemporaryDir dir;
  QVERIFY(QFile(dir.filePath("file")).open(QIODevice::WriteOnly));
  qputenv("KX14_TRACE", dir.filePath("trace").toUtf8());
  Open({}, dir.filePath("file/history"));
  qunsetenv("KX14_TRACE");
  Form().PROGRAM_BTN->click();
  QCOMPARE(history_->Texts(), (QStringList{Utf8("読み取り成功"), Utf8("書き込み成功")}));
  QVERIFY(device_->NextLine("stored ").has_value());
  QFile trace(dir.filePath("trace"));
  QVERIFY(trace.open(QIODevice::ReadOnly));
  QVERIFY(trace.readAll().contains("history not recorded"));
}

}  // namespace kx14

QTEST_MAIN(kx14::ProgramHistoryWindowTest)
#include "program_history_window_test.moc"
