// The Qt message pump the serial component waits through: posted tasks from
// other threads, and the waits that end on data, on a deadline or on a task
// while the window's own events keep running.

#include <fcntl.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "ui/qt/qt_message_pump.h"

using namespace std::chrono_literals;

namespace kx14 {
namespace {

// A pipe whose read end is the descriptor to wait on.
class Pipe {
 public:
  Pipe() {
    if (::pipe2(fds_, O_CLOEXEC | O_NONBLOCK) != 0) fds_[0] = fds_[1] = -1;
  }
  ~Pipe() {
    if (fds_[0] >= 0) ::close(fds_[0]);
    if (fds_[1] >= 0) ::close(fds_[1]);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  int ReadEnd() const { return fds_[0]; }
  bool Put(char byte) { return ::write(fds_[1], &byte, 1) == 1; }
  void CloseReadEnd() {
    ::close(fds_[0]);
    fds_[0] = -1;
  }
  void CloseWriteEnd() {
    ::close(fds_[1]);
    fds_[1] = -1;
  }

 private:
  int fds_[2];
};

// Generous: the machine may be loaded; only "well before the deadline" counts.
constexpr auto kLongDeadline = 10s;

}  // namespace

class MessagePumpTest : public QObject {
  Q_OBJECT

 private slots:
  void taskPostedFromAnotherThreadRunsOnGuiThread();
  void processMessagesRunsPostedTasks();
  void waitReturnsWhenDataArrives();
  void waitReturnsWhenTheWriterHangsUp();
  void waitReturnsAtItsDeadline();
  void waitReturnsWhenAPostedTaskRuns();
  void waitWithoutFdWaitsForTimeOnly();
  void timersKeepFiringDuringAWait();
  void nestedWaitOnTheSameFdEndsBoth();
  void waitEndsWhenAHandlerClosesTheFd_data();
  void waitEndsWhenAHandlerClosesTheFd();
  void tasksQueuedAtDestructionAreDropped();
};

void MessagePumpTest::taskPostedFromAnotherThreadRunsOnGuiThread() {
  QtMessagePump pump;
  std::atomic<bool> ran{false};
  Qt::HANDLE runThread = nullptr;
  std::thread poster([&] {
    pump.Post([&] {
      runThread = QThread::currentThreadId();
      ran = true;
    });
  });
  poster.join();
  QTRY_VERIFY(ran.load());
  QCOMPARE(runThread, QThread::currentThreadId());
}

void MessagePumpTest::processMessagesRunsPostedTasks() {
  QtMessagePump pump;
  int runs = 0;
  pump.Post([&runs] { ++runs; });
  pump.Post([&runs] { ++runs; });
  QCOMPARE(runs, 0);  // queued, not run inside Post
  pump.ProcessMessages();
  QCOMPARE(runs, 2);
}

void MessagePumpTest::waitReturnsWhenDataArrives() {
  QtMessagePump pump;
  Pipe pipe;
  QTimer::singleShot(50, [&pipe] { QVERIFY(pipe.Put('x')); });
  QElapsedTimer clock;
  clock.start();
  pump.WaitReadable(WaitObject{pipe.ReadEnd()}, kLongDeadline);
  QVERIFY(clock.elapsed() >= 40);
  QVERIFY(clock.elapsed() < 5000);
}

void MessagePumpTest::waitReturnsWhenTheWriterHangsUp() {
  QtMessagePump pump;
  Pipe pipe;
  QTimer::singleShot(20, [&pipe] { pipe.CloseWriteEnd(); });
  QElapsedTimer clock;
  clock.start();
  pump.WaitReadable(WaitObject{pipe.ReadEnd()}, kLongDeadline);
  QVERIFY(clock.elapsed() < 5000);
}

void MessagePumpTest::waitReturnsAtItsDeadline() {
  QtMessagePump pump;
  Pipe pipe;
  QElapsedTimer clock;
  clock.start();
  pump.WaitReadable(WaitObject{pipe.ReadEnd()}, 200ms);
  QVERIFY2(clock.elapsed() >= 195, qPrintable(QString::number(clock.elapsed())));
  QVERIFY(clock.elapsed() < 5000);
}

void MessagePumpTest::waitReturnsWhenAPostedTaskRuns() {
  QtMessagePump pump;
  Pipe pipe;
  std::atomic<bool> ran{false};
  std::thread poster([&] {
    std::this_thread::sleep_for(30ms);
    pump.Post([&ran] { ran = true; });
  });
  QElapsedTimer clock;
  clock.start();
  pump.WaitReadable(WaitObject{pipe.ReadEnd()}, kLongDeadline);
  poster.join();
  QVERIFY(ran.load());
  QVERIFY(clock.elapsed() < 5000);
}

void MessagePumpTest::waitWithoutFdWaitsForTimeOnly() {
  QtMessagePump pump;
  QElapsedTimer clock;
  clock.start();
  pump.WaitReadable(WaitObject{}, 100ms);
  QVERIFY(clock.elapsed() >= 95);
  clock.restart();
  pump.WaitReadable(WaitObject{}, 0ms);  // no time: runs pending events and returns
  QVERIFY(clock.elapsed() < 5000);
}

void MessagePumpTest::timersKeepFiringDuringAWait() {
  QtMessagePump pump;
  Pipe pipe;
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
  ticker.start(10);
  pump.WaitReadable(WaitObject{pipe.ReadEnd()}, 300ms);
  // The window's events run inside the wait: a 10 ms timer ticks many times
  // in 300 ms, even on a loaded machine.
  QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
}

void MessagePumpTest::nestedWaitOnTheSameFdEndsBoth() {
  QtMessagePump pump;
  Pipe pipe;
  bool innerReturned = false;
  QTimer::singleShot(10, [&] {
    // A handler that runs inside the outer wait and waits itself.
    QTimer::singleShot(30, [&pipe] { QVERIFY(pipe.Put('x')); });
    pump.WaitReadable(WaitObject{pipe.ReadEnd()}, kLongDeadline);
    innerReturned = true;
  });
  QElapsedTimer clock;
  clock.start();
  pump.WaitReadable(WaitObject{pipe.ReadEnd()}, kLongDeadline);
  QVERIFY(innerReturned);
  QVERIFY(clock.elapsed() < 5000);
  // The notifier shared by both waits is gone: a later wait still works.
  char byte = 0;
  QCOMPARE(::read(pipe.ReadEnd(), &byte, 1), ssize_t{1});
  clock.restart();
  pump.WaitReadable(WaitObject{pipe.ReadEnd()}, 100ms);
  QVERIFY(clock.elapsed() >= 95);
}

void MessagePumpTest::waitEndsWhenAHandlerClosesTheFd_data() {
  QTest::addColumn<bool>("numberReused");
  QTest::newRow("closed") << false;
  // Another open (a font loaded by another thread) may take the number at
  // once; the wait must still end, not watch that unrelated descriptor.
  QTest::newRow("number taken by another open") << true;
}

void MessagePumpTest::waitEndsWhenAHandlerClosesTheFd() {
  // E.g. the window closes the port from a handler while a read waits.
  QFETCH(bool, numberReused);
  QTest::failOnWarning(QRegularExpression(QStringLiteral("QSocketNotifier")));
  QtMessagePump pump;
  Pipe pipe;
  Pipe unrelated;  // never readable
  const int fd = pipe.ReadEnd();
  QTimer::singleShot(30, [&] {
    if (numberReused) {
      QCOMPARE(::dup2(unrelated.ReadEnd(), fd), fd);  // closes fd, reuses its number
    } else {
      pipe.CloseReadEnd();
    }
  });
  QElapsedTimer clock;
  clock.start();
  pump.WaitReadable(WaitObject{fd}, kLongDeadline);
  QVERIFY(clock.elapsed() < 5000);
}

void MessagePumpTest::tasksQueuedAtDestructionAreDropped() {
  bool ran = false;
  {
    QtMessagePump pump;
    pump.Post([&ran] { ran = true; });
  }
  QCoreApplication::processEvents();
  QVERIFY(!ran);
}

}  // namespace kx14

QTEST_GUILESS_MAIN(kx14::MessagePumpTest)
#include "message_pump_test.moc"
