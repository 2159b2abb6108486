// The Qt peer of the exchange benchmark: QSerialPort used the way Qt's
// blocking examples use it (write, waitForBytesWritten, waitForReadyRead),
// driven by roundtrip_bench over standard input (see peer_process.h).
//
// One difference from the examples: they call a reply complete after 10 ms
// of silence, which would add 10 ms to every exchange and measure the
// example, not the class. Here a reply is complete at its known length, as
// ours is.
//
//   qt_serial_peer <tty path>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>
#include <ctime>
#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr int kReplyTimeoutMs = 3000;

QByteArray CommandOfLength(int length) {
  if (length == 1) return QByteArray(1, '\xE5');
  QByteArray command(length, '\0');
  command[0] = '\xF5';
  unsigned sum = 0;
  for (int i = 1; i + 1 < length; ++i) {
    command[i] = static_cast<char>(i);
    sum += static_cast<unsigned>(i);
  }
  command[length - 1] = static_cast<char>(sum & 0xFFu);
  return command;
}

// One exchange: the bytes received (all of them when the reply came whole).
qint64 Exchange(QSerialPort& port, const QByteArray& command, qint64 replyLength) {
  port.write(command);
  if (!port.waitForBytesWritten(kReplyTimeoutMs)) return 0;
  QByteArray reply;
  QElapsedTimer waited;
  waited.start();
  while (reply.size() < replyLength) {
    const qint64 left = kReplyTimeoutMs - waited.elapsed();
    if (left <= 0 || !port.waitForReadyRead(static_cast<int>(left))) break;
    reply += port.readAll();
  }
  return reply.size();
}

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

std::string RunExchanges(QSerialPort& port, int commandLength, int replyLength, int count) {
  const QByteArray command = CommandOfLength(commandLength);
  std::ostringstream answer;
  answer << "ok";
  QElapsedTimer clock;
  for (int i = 0; i < count; ++i) {
    port.clear(QSerialPort::Input);
    clock.start();
    if (Exchange(port, command, replyLength) != replyLength) return "error short reply";
    answer << ' ' << static_cast<double>(clock.nsecsElapsed()) / 1000.0;
  }
  return answer.str();
}

std::string RunSilent(QSerialPort& port, int commandLength, int replyLength) {
  const QByteArray command = CommandOfLength(commandLength);
  port.clear(QSerialPort::Input);
  QElapsedTimer clock;
  const double cpuBefore = CpuSeconds();
  clock.start();
  const qint64 got = Exchange(port, command, replyLength);
  const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  std::ostringstream answer;
  answer << "idle " << CpuSeconds() - cpuBefore << ' ' << wall << ' ' << got;
  return answer.str();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);  // QSerialPort's notifiers need one
  if (argc != 2) {
    std::cerr << "usage: qt_serial_peer <tty path>\n";
    return 2;
  }
  QSerialPort port(QString::fromLocal8Bit(argv[1]));
  port.setBaudRate(QSerialPort::Baud9600);
  port.setDataBits(QSerialPort::Data8);
  port.setParity(QSerialPort::NoParity);
  port.setStopBits(QSerialPort::OneStop);
  port.setFlowControl(QSerialPort::NoFlowControl);
  if (!port.open(QIODevice::ReadWrite)) {
    std::cout << "error " << port.errorString().toStdString() << std::endl;
    return 1;
  }
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream request(line);
    std::string verb;
    int commandLength = 0;
    int replyLength = 0;
    int count = 0;
    request >> verb >> commandLength >> replyLength >> count;
    if (verb == "exchange") {
      std::cout << RunExchanges(port, commandLength, replyLength, count) << std::endl;
    } else if (verb == "silent") {
      std::cout << RunSilent(port, commandLength, replyLength) << std::endl;
    } else {
      std::cout << "error unknown request" << std::endl;
    }
  }
  return 0;
}
