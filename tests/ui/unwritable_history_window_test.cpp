// A history that cannot be written never stops PROGRAM_BTN's store, against
// the real device simulator; the trace says why nothing was recorded. What
// a store records, and the operations' behaviour in the window, are the
// shared window suite's (tests/window_suite/device_operations_suite.cpp);
// the trace is read from the environment when the window is made.

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "form_fixture.h"
#include "private_devsim.h"
#include "window_test_support.h"

namespace kx14 {

class UnwritableHistoryWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void programGoesAheadWhenTheHistoryCannotBeWritten();
};

// A folder under a file cannot be made, even by root.
void UnwritableHistoryWindowTest::programGoesAheadWhenTheHistoryCannotBeWritten() {
  QTemporaryDir dir;
  QVERIFY(QFile(dir.filePath("file")).open(QIODevice::WriteOnly));
  testing::PrivateDevsim device;  // outlives the window's port on it
  qputenv("KX14_TRACE", dir.filePath("trace").toUtf8());
  FormFixture fixture;
  TMainForm& form = fixture.Create(dir.filePath("file/history"));
  qunsetenv("KX14_TRACE");
  QVERIFY(fixture.Active());
  form.UsePortSources(device.Sources());
  testing::CloseUpCounter closeUps(form.CommBox);
  QVERIFY(testing::ChooseFromList(form.CommBox, QString::fromStdString(device.PortName())));
  QTRY_COMPARE(closeUps.Count(), 1);
  testing::InformationHistory texts(form);
  form.PROGRAM_BTN->click();
  QCOMPARE(texts.Texts(),
           (QStringList{QString::fromUtf8("読み取り成功"), QString::fromUtf8("書き込み成功")}));
  QVERIFY(device.NextLine("stored ").has_value());
  QFile trace(dir.filePath("trace"));
  QVERIFY(trace.open(QIODevice::ReadOnly));
  QVERIFY(trace.readAll().contains("history not recorded"));
}

}  // namespace kx14

QTEST_MAIN(kx14::UnwritableHistoryWindowTest)
#include "unwritable_history_window_test.moc"
