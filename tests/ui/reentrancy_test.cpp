// What the window does with input that arrives while a read or program
// operation waits for the device (the wait lets window messages run): a
// second press is ignored, a port change waits for the operation's end, and
// closing the window ends the exchange at once and the window afterwards.

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "form_fixture.h"
#include "simulated_device.h"
#include "window_test_support.h"

namespace kx14 {
namespace {

using testing::InformationHistory;
using testing::SimulatedDevice;

QString Utf8(const char* text) { return QString::fromUtf8(text); }

// Long enough for the nested input at kNestedAtMs to land inside the wait
// even on a loaded machine.
const char* const kReplyDelayMs = "800";
constexpr int kNestedAtMs = 50;

int CountLines(const std::vector<std::string>& lines, const std::string& prefix) {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.rfind(prefix, 0) == 0;
  }));
}

}  // namespace

class ReentrancyTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fixture_.Create();
    QVERIFY(fixture_.Active());
    history_ = std::make_unique<InformationHistory>(Form());
  }
  void cleanup() {
    history_.reset();
    fixture_.Destroy();
    device_.reset();
  }

  void pressWhileWaitingIsIgnored_data();
  void pressWhileWaitingIsIgnored();
  void portChangeWhileWaitingIsAppliedAfterTheOperation();
  void lastPortChangeWhileWaitingWins();
  void closingWhileWaitingEndsTheOperationThenTheWindow_data();
  void closingWhileWaitingEndsTheOperationThenTheWindow();

 private:
  TMainForm& Form() { return fixture_.Form(); }
  void Attach(const std::vector<std::string>& args) {
    device_ = std::make_unique<SimulatedDevice>(args);
    Form().UsePortSources(device_->Sources());
    testing::CloseUpCounter closeUps(Form().CommBox);
    QVERIFY(testing::ChooseFromList(Form().CommBox, device_->PortName()));
    QTRY_COMPARE(closeUps.Count(), 1);
    QVERIFY(Form().CommX1->IsOpen());
    history_->Clear();
  }
  TBitBtn* Button(const QString& name) { return Form().findChild<TBitBtn*>(name); }

  FormFixture fixture_;
  std::unique_ptr<SimulatedDevice> device_;
  std::unique_ptr<InformationHistory> history_;
};

void ReentrancyTest::pressWhileWaitingIsIgnored_data() {
  QTest::addColumn<QString>("running");
  QTest::addColumn<QString>("pressed");
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<int>("programFrames");
  const QStringList readTexts{Utf8("読み取り成功")};
  const QStringList programTexts{Utf8("読み取り成功"), Utf8("書き込み成功")};
  auto row = [](const char* name, const char* running, const char* pressed,
                const QStringList& texts, int programFrames) {
    QTest::newRow(name) << QString::fromLatin1(running) << QString::fromLatin1(pressed) << texts
                        << programFrames;
  };
  row("read, read", "READ_BTN", "READ_BTN", readTexts, 0);
  row("read, program", "READ_BTN", "PROGRAM_BTN", readTexts, 0);
  row("program, read", "PROGRAM_BTN", "READ_BTN", programTexts, 1);
  row("program, program", "PROGRAM_BTN", "PROGRAM_BTN", programTexts, 1);
}

void ReentrancyTest::pressWhileWaitingIsIgnored() {
  QFETCH(QString, running);
  QFETCH(QString, pressed);
  QFETCH(QStringList, texts);
  QFETCH(int, programFrames);
  Attach({"--delay", kReplyDelayMs});
  bool ranInside = false;
  bool enabledInside = false;
  QTimer::singleShot(kNestedAtMs, &Form(), [&] {
    ranInside = Form().DeviceOperationRunning();
    enabledInside = Form().READ_BTN->isEnabled() && Form().PROGRAM_BTN->isEnabled();
    QTest::mouseClick(Button(pressed), Qt::LeftButton);
  });
  QTest::mouseClick(Button(running), Qt::LeftButton);
  QVERIFY(ranInside);
  QVERIFY(enabledInside);  // the command buttons stay enabled
  QCOMPARE(history_->Texts(), texts);
  device_->Drain();
  QCOMPARE(CountLines(device_->Lines(), "rx E5"), 1);
  QCOMPARE(CountLines(device_->Lines(), "rx F5"), programFrames);
}

void ReentrancyTest::portChangeWhileWaitingIsAppliedAfterTheOperation() {
  Attach({"--delay", kReplyDelayMs});
  bool openAfterChoice = false;
  QString textAfterChoice;
  QTimer::singleShot(kNestedAtMs, &Form(), [&] {
    testing::ChooseFromList(Form().CommBox, QStringLiteral("OFF"));
    // The close-up runs once the wait takes events again; look after it.
    QTimer::singleShot(kNestedAtMs, &Form(), [&] {
      openAfterChoice = Form().CommX1->IsOpen();
      textAfterChoice = Form().MON_EDIT->text();
    });
  });
  Form().READ_BTN->click();
  QVERIFY(openAfterChoice);  // the waiting exchange kept its port
  QCOMPARE(textAfterChoice, device_->PortName() + Utf8(" 設定完了"));
  QCOMPARE(history_->Texts(),
           (QStringList{Utf8("読み取り成功"), Utf8("シリアルポートを閉じました")}));
  QVERIFY(!Form().CommX1->IsOpen());
}

void ReentrancyTest::lastPortChangeWhileWaitingWins() {
  Attach({"--delay", kReplyDelayMs});
  QTimer::singleShot(kNestedAtMs, &Form(), [&] {
    testing::ChooseFromList(Form().CommBox, QStringLiteral("OFF"));
    QTimer::singleShot(kNestedAtMs, &Form(),
                       [&] { testing::ChooseFromList(Form().CommBox, device_->PortName()); });
  });
  Form().PROGRAM_BTN->click();
  QCOMPARE(history_->Texts(), (QStringList{Utf8("読み取り成功"), Utf8("書き込み成功"),
                                           device_->PortName() + Utf8(" 設定完了")}));
  QVERIFY(Form().CommX1->IsOpen());
}

void ReentrancyTest::closingWhileWaitingEndsTheOperationThenTheWindow_data() {
  QTest::addColumn<QString>("running");
  QTest::addColumn<bool>("exitButton");  // else the title bar's close
  QTest::addColumn<QStringList>("texts");
  const QStringList readTexts{Utf8("読み取り失敗")};
  const QStringList programTexts{Utf8("読み取り失敗"), Utf8("書き込み失敗")};
  QTest::newRow("read, exit button") << "READ_BTN" << true << readTexts;
  QTest::newRow("read, close") << "READ_BTN" << false << readTexts;
  QTest::newRow("program, exit button") << "PROGRAM_BTN" << true << programTexts;
  QTest::newRow("program, close") << "PROGRAM_BTN" << false << programTexts;
}

void ReentrancyTest::closingWhileWaitingEndsTheOperationThenTheWindow() {
  QFETCH(QString, running);
  QFETCH(bool, exitButton);
  QFETCH(QStringList, texts);
  Attach({"--silent"});
  Form().CommX1->SetTimeOutReceive(10000);  // only the close can end the wait early
  bool visibleAfterClose = false;
  bool openAfterClose = true;
  QTimer::singleShot(kNestedAtMs, &Form(), [&] {
    if (exitButton) {
      QTest::mouseClick(Form().EXIT_BTN, Qt::LeftButton);
    } else {
      Form().close();
    }
    visibleAfterClose = Form().isVisible();
    openAfterClose = Form().CommX1->IsOpen();
  });
  QElapsedTimer clock;
  clock.start();
  QTest::mouseClick(Button(running), Qt::LeftButton);
  QVERIFY(clock.elapsed() < 5000);
  QVERIFY(visibleAfterClose);  // the window waited for the operation
  QVERIFY(!openAfterClose);    // the port closed at once
  QCOMPARE(history_->Texts(), texts);
  QVERIFY(!Form().isVisible());
  QVERIFY(!Form().DeviceOperationRunning());
  QVERIFY(!Form().CommX1->IsOpen());
}

}  // namespace kx14

QTEST_MAIN(kx14::ReentrancyTest)
#include "reentrancy_test.moc"
