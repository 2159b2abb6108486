#include <poll.h>
#include <sys/stat.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <utility>

#include "ui/qt/qt_message_pump.h"

namespace kx14 {
namespace {

// Blocks without running events: the fallback once no event loop can run.
void PollFd(int fd, std::chrono::milliseconds timeout) {
  pollfd entry{fd, POLLIN, 0};
  const int timeoutMs = static_cast<int>(std::min<long long>(timeout.count(), 0x7FFFFFFF));
  // A negative fd is ignored by poll(), so this is then a plain sleep.
  ::poll(&entry, 1, timeoutMs);
}

// The file behind a descriptor number, or nothing when the number is closed.
std::optional<std::pair<unsigned long long, unsigned long long>> FileIdentity(int fd) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return std::nullopt;
  return std::pair<unsigned long long, unsigned long long>(status.st_dev, status.st_ino);
}

}  // namespace

QtMessagePump::QtMessagePump() : context_(std::make_unique<QObject>()) {}

QtMessagePump::~QtMessagePump() = default;

void QtMessagePump::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtMessagePump::Post(std::function<void()> task) {
  // invokeMethod posts an event to context_'s thread: safe from any thread.
  QMetaObject::invokeMethod(
      context_.get(), [this, task = std::move(task)] { RunTask(task); }, Qt::QueuedConnection);
}

void QtMessagePump::RunTask(const std::function<void()>& task) {
  task();
  EndAllWaits();
}

void QtMessagePump::EndWaits(int fd) {
  for (Wait* wait : waits_) {
    if (wait->fd == fd) wait->loop->quit();
  }
}

void QtMessagePump::EndAllWaits() {
  for (Wait* wait : waits_) wait->loop->quit();
}

void QtMessagePump::EndWaitsOnClosedFds() {
  for (auto& [fd, watch] : watches_) {
    const auto identity = FileIdentity(fd);
    if (identity && identity->first == watch.device && identity->second == watch.inode) continue;
    // Polling a closed descriptor would only make Qt warn and drop it, and a
    // number that another open took would be watched in its place until the
    // time-out; the waiters return now and find their port closed.
    watch.notifier->setEnabled(false);
    EndWaits(fd);
  }
}

void QtMessagePump::WatchFd(int fd) {
  FdWatch& watch = watches_[fd];
  if (watch.users++ > 0) return;
  if (const auto identity = FileIdentity(fd)) {
    watch.device = identity->first;
    watch.inode = identity->second;
  }
  watch.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  // Read notifiers also fire on hang-up and error, which end a wait as well.
  QObject::connect(watch.notifier.get(), &QSocketNotifier::activated, context_.get(),
                   [this, fd] { EndWaits(fd); });
}

void QtMessagePump::UnwatchFd(int fd) {
  auto found = watches_.find(fd);
  if (found == watches_.end() || --found->second.users > 0) return;
  watches_.erase(found);
}

// On Linux the object is a descriptor, watched by a socket notifier.
void QtMessagePump::WaitReadable(WaitObject ready, std::chrono::milliseconds timeout) {
  const int fd = static_cast<int>(ready.native);
  if (timeout.count() <= 0) {
    ProcessMessages();
    return;
  }
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  deadline.setTimerType(Qt::PreciseTimer);  // a coarse timer may fire early
  QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
  Wait wait{fd, &loop};
  waits_.push_back(&wait);
  if (fd >= 0) WatchFd(fd);
  // A handler that runs inside the wait may close the descriptor (the port
  // closes with the window); that is noticed before the loop polls again.
  const QMetaObject::Connection closedCheck = QObject::connect(
      QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, context_.get(),
      [this] { EndWaitsOnClosedFds(); });
  deadline.start(timeout);
  const int result = loop.exec();
  QObject::disconnect(closedCheck);
  if (fd >= 0) UnwatchFd(fd);
  waits_.erase(std::find(waits_.begin(), waits_.end(), &wait));
  // exec() refuses to run (-1) once the application has been told to quit.
  if (result < 0) PollFd(fd, timeout);
}

}  // namespace kx14
