// The window under the campaign's hardest input: while a read or program
// operation waits for the device, a storm of presses of both command buttons,
// level clicks, port-list refreshes and port changes through CommBoxCloseUp;
// the wait then ends with the answer, a time-out, a dropped line or the
// window closing. Nothing may crash or hang, a second exchange never starts,
// the last port choice wins once the operation is over, and the port is
// closed at the end. Then the port list opens and closes the port many times
// over and must leave the process's descriptors and threads as it found them.

#include <QElapsedTimer>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "config_home.h"
#include "form_fixture.h"
#include "in_process_device.h"
#include "protocol/frames.h"

namespace kx14 {
namespace {

using faults::ConfigHome;
using testing::InProcessDevice;

constexpr int kPort = 41;
const QString kPortName = QStringLiteral("COM41");
constexpr int kStormStepMs = 15;
// Replies are held until the storm is over, so its length is no race; a
// device that never answers costs one such wait per exchange.
constexpr std::int32_t kWaitMs = 1500;

QString Utf8(const char* text) { return QString::fromUtf8(text); }

std::size_t CountEntries(const char* directory) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory)) ++count;
  return count;
}

// The entries of /proc/self/fd or /proc/self/task once the toolkit's global
// thread pool has let its idle threads go (it does so by itself after 30 s
// idle, each with a descriptor of its own, which would pass for something the
// port list took away) and the count has stopped moving.
std::size_t SettledCount(const char* directory) {
  QThreadPool::globalInstance()->waitForDone();
  std::size_t count = CountEntries(directory);
  for (int still = 0, tries = 0; still < 10 && tries < 300; ++tries) {
    QTest::qWait(10);
    const std::size_t now = CountEntries(directory);
    still = now == count ? still + 1 : 0;
    count = now;
  }
  return count;
}

// How the operation's wait ends once the storm is over.
enum class WaitEnds { kAnswer, kTimeOut, kLineDrops, kWindowCloses };

}  // namespace

class WindowFaultsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void cleanupTestCase();

  void stormWhileWaiting_data();
  void stormWhileWaiting();
  void openCloseCyclesKeepDescriptorsAndThreads();

 private:
  TMainForm& Form() { return fixture_.Form(); }
  // The list refreshed, the entry selected, then the close-up handler: what
  // choosing an entry from the dropped-down list comes to.
  void Choose(const QString& entry);
  void RecordTexts();

  std::unique_ptr<ConfigHome> home_;
  std::unique_ptr<InProcessDevice> device_;
  FormFixture fixture_;
  QStringList texts_;
  int passed_ = 0;
  int failed_ = 0;
  bool skipped_ = false;  // the running test skipped: it counts neither way
};

void WindowFaultsTest::init() {
  home_ = std::make_unique<ConfigHome>();
  device_ = std::make_unique<InProcessDevice>();
  home_->Link(kPort, device_->SlavePath());
  fixture_.Create();
  QVERIFY(fixture_.Active());
  // Only this test's ports: its own directory and an empty sysfs.
  Form().UsePortSources({home_->PortsDir(), home_->Path() / "sys"});
  Form().CommX1->SetTimeOutReceive(kWaitMs);
  RecordTexts();
}

void WindowFaultsTest::cleanup() {
  if (!skipped_) QTest::currentTestFailed() ? ++failed_ : ++passed_;
  skipped_ = false;
  fixture_.Destroy();
  device_.reset();
  home_.reset();
}

void WindowFaultsTest::cleanupTestCase() {
  std::printf("faults: %d passed, %d failed\n", passed_, failed_);
  std::fflush(stdout);
}

void WindowFaultsTest::RecordTexts() {
  texts_.clear();
  QObject::connect(Form().MON_EDIT, &QLineEdit::textChanged, Form().MON_EDIT,
                   [this](const QString& text) { texts_ << text; });
}

void WindowFaultsTest::Choose(const QString& entry) {
  Form().CommBoxDropDown(Form().CommBox);
  Form().CommBox->SetItemIndex(Form().CommBox->findText(entry));
  Form().CommBoxCloseUp(Form().CommBox);
}

void WindowFaultsTest::stormWhileWaiting_data() {
  QTest::addColumn<bool>("program");
  QTest::addColumn<int>("waitEnds");
  QTest::addColumn<QString>("lastChoice");
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<int>("commands");  // that reached the device

  const QString ready = kPortName + Utf8(" 設定完了");
  const QString closed = Utf8("シリアルポートを閉じました");
  const QString unusable = kPortName + Utf8(" は使用できません");
  const QString readOk = Utf8("読み取り成功"), readFailed = Utf8("読み取り失敗");
  const QString programOk = Utf8("書き込み成功"), programFailed = Utf8("書き込み失敗");
  auto row = [](const char* name, bool program, WaitEnds ends, const QString& last,
                const QStringList& texts, int commands) {
    QTest::newRow(name) << program << static_cast<int>(ends) << last << texts << commands;
  };
  row("read, answer, port last", false, WaitEnds::kAnswer, kPortName, {readOk, ready}, 1);
  row("read, answer, OFF last", false, WaitEnds::kAnswer, "OFF", {readOk, closed}, 1);
  row("program, answer, port last", true, WaitEnds::kAnswer, kPortName, {readOk, programOk, ready},
      2);
  row("program, answer, OFF last", true, WaitEnds::kAnswer, "OFF", {readOk, programOk, closed}, 2);
  row("read, time-out", false, WaitEnds::kTimeOut, kPortName, {readFailed, ready}, 1);
  row("program, time-out", true, WaitEnds::kTimeOut, kPortName, {readFailed, programFailed, ready},
      2);
  // The dropped line takes the pty with it: the deferred reopening fails.
  row("read, line drops", false, WaitEnds::kLineDrops, kPortName, {readFailed, unusable}, 1);
  row("program, line drops", true, WaitEnds::kLineDrops, kPortName,
      {readFailed, programFailed, unusable}, 1);
  // The close ends the wait and then the window; the port choices made in
  // the wait no longer matter.
  row("read, window closes", false, WaitEnds::kWindowCloses, kPortName, {readFailed}, 1);
  row("program, window closes", true, WaitEnds::kWindowCloses, kPortName,
      {readFailed, programFailed}, 1);
}

void WindowFaultsTest::stormWhileWaiting() {
  QFETCH(bool, program);
  QFETCH(int, waitEnds);
  QFETCH(QString, lastChoice);
  QFETCH(QStringList, texts);
  QFETCH(int, commands);
  const auto ends = static_cast<WaitEnds>(waitEnds);
  Choose(kPortName);
  QVERIFY(Form().CommX1->IsOpen());
  texts_.clear();
  device_->SetHeld(true);
  if (ends == WaitEnds::kTimeOut) device_->SetFaults({.silent = true});

  const std::vector<std::function<void()>> storm = {
      [&] { QTest::mouseClick(Form().READ_BTN, Qt::LeftButton); },
      [&] { QTest::mouseClick(Form().PROGRAM_BTN, Qt::LeftButton); },
      [&] { QTest::mouseClick(Form().Handy_7, Qt::LeftButton); },
      [&] { Choose(QStringLiteral("OFF")); },
      [&] { QTest::mouseClick(Form().Handy_S, Qt::LeftButton); },
      [&] { Choose(kPortName); },
      [&] { QTest::mouseClick(Form().READ_BTN, Qt::LeftButton); },
      [&] { Choose(lastChoice); },
      [&] {
        switch (ends) {
          case WaitEnds::kAnswer:
          case WaitEnds::kTimeOut:
            device_->SetHeld(false);
            break;
          case WaitEnds::kLineDrops:
            device_->HangUpNow();
            break;
          case WaitEnds::kWindowCloses:
            Form().close();
            break;
        }
      }};
  int stepsInsideTheWait = 0;
  std::size_t next = 0;
  QTimer stepper;
  stepper.setInterval(kStormStepMs);
  connect(&stepper, &QTimer::timeout, [&] {
    if (next >= storm.size()) return;
    if (Form().DeviceOperationRunning()) ++stepsInsideTheWait;
    storm[next++]();
  });
  stepper.start();

  QElapsedTimer clock;
  clock.start();
  QTest::mouseClick(program ? Form().PROGRAM_BTN : Form().READ_BTN, Qt::LeftButton);
  stepper.stop();

  QCOMPARE(stepsInsideTheWait, static_cast<int>(storm.size()));
  QVERIFY(clock.elapsed() < 4 * kWaitMs);
  QVERIFY(!Form().DeviceOperationRunning());
  QCOMPARE(texts_, texts);
  QCOMPARE(static_cast<int>(device_->CommandsReceived()), commands);
  if (texts.contains(Utf8("書き込み成功"))) {
    QCOMPARE(ToByteString(device_->Block()), device_->Commands().back().substr(1, 16));
  }
  const bool windowStays = ends != WaitEnds::kWindowCloses;
  QCOMPARE(Form().isVisible(), windowStays);
  QCOMPARE(Form().CommX1->IsOpen(), windowStays && texts.last().endsWith(Utf8(" 設定完了")));

  // However it ended, closing the window closes the port.
  Form().close();
  QVERIFY(!Form().isVisible());
  QVERIFY(!Form().CommX1->IsOpen());
}

// Each cycle costs at least 400 ms by design (pauses in Open and Close), so
// the normal suite runs 100; KX14_FAULTS_PORT_CYCLES=1000 with
// KX14_RUN_LONG=1 is the long run (ctest label "long").
void WindowFaultsTest::openCloseCyclesKeepDescriptorsAndThreads() {
  const char* configured = std::getenv("KX14_FAULTS_PORT_CYCLES");
  const int cycles = configured != nullptr ? std::atoi(configured) : 100;
  const char* runLong = std::getenv("KX14_RUN_LONG");
  if (cycles > 100 && (runLong == nullptr || std::string(runLong) != "1")) {
    skipped_ = true;
    QSKIP("the long port cycling runs with KX14_RUN_LONG=1");
  }
  const QString ready = kPortName + Utf8(" 設定完了");
  const QString closed = Utf8("シリアルポートを閉じました");
  auto cycle = [&](int number) {
    Choose(kPortName);
    if (Form().MON_EDIT->text() != ready || !Form().CommX1->IsOpen()) {
      QFAIL(qPrintable(QStringLiteral("cycle %1: %2").arg(number).arg(Form().MON_EDIT->text())));
    }
    Choose(QStringLiteral("OFF"));
    if (Form().MON_EDIT->text() != closed || Form().CommX1->IsOpen()) {
      QFAIL(qPrintable(QStringLiteral("cycle %1: %2").arg(number).arg(Form().MON_EDIT->text())));
    }
  };
  cycle(0);  // whatever the toolkit and the libraries set up once
  const std::size_t fds = SettledCount("/proc/self/fd");
  const std::size_t threads = SettledCount("/proc/self/task");

  QElapsedTimer clock;
  clock.start();
  for (int number = 1; number <= cycles && !QTest::currentTestFailed(); ++number) cycle(number);
  const qint64 took = clock.elapsed();

  QCOMPARE(SettledCount("/proc/self/fd"), fds);
  QCOMPARE(SettledCount("/proc/self/task"), threads);
  std::printf(
      "port cycles: %d open/close cycles through the port list, %zu descriptors and "
      "%zu threads before and after, %lld ms per cycle\n",
      cycles, fds, threads, static_cast<long long>(took / cycles));
  std::fflush(stdout);
}

}  // namespace kx14

QTEST_MAIN(kx14::WindowFaultsTest)
#include "window_faults_test.moc"
