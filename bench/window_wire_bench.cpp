// Whole Read and Program operations through the real window, once per run:
// TMainForm on the offscreen platform with its port list pointed at a ports
// directory whose COM1 is the host end of the paced 9600 bit/s line to the
// simulator (the same line as wire_paced_bench). COM1 is chosen as the
// user's close-up would choose it; READ_BTN and PROGRAM_BTN are clicked
// with QTest, and the time runs from the click to MON_EDIT's last change.
//
//   window_wire_bench [runs] [kx14-devsim path]     (default 10)

#include <signal.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/latency_stats.h"
#include "bench/paced_device.h"
#include "bench/summary_line.h"
#include "protocol/information_texts.h"
#include "temp_dir.h"
#include "ui/qt/bitmap_button.h"
#include "ui/qt/combo_box.h"
#include "ui/qt/edit.h"
#include "ui/qt/main_form.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr long kBaud = 9600;
constexpr double kTargetSlackMs = 2.0;
constexpr int kReadBytes = 19;
constexpr int kProgramBytes = 56;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "window_wire_bench: %s\n", what.c_str());
  std::exit(1);
}

// A ports directory whose only entry is COM1, linked to `device`.
kx14::PortSources PortTreeWith(const fs::path& root, const std::string& device) {
  fs::create_directories(root / "ports");
  fs::create_directories(root / "sys");
  fs::create_symlink(device, root / "ports" / "COM1");
  return {root / "ports", root / "sys"};
}

void OpenCom1(kx14::TMainForm& form) {
  form.CommBoxDropDown(form.CommBox);  // refreshes the list from the tree
  const int index = form.CommBox->findText(QStringLiteral("COM1"));
  if (index < 0) Fail("COM1 is not listed");
  form.CommBox->SetItemIndex(index);
  form.CommBoxCloseUp(form.CommBox);
  if (!form.MON_EDIT->text().endsWith(QStringLiteral(" 設定完了"))) {
    Fail("COM1 did not open: " + form.MON_EDIT->text().toStdString());
  }
}

// Clicks `button` and gives the time to MON_EDIT's last change, which must
// leave `expected` there.
class OperationTimer {
 public:
  explicit OperationTimer(kx14::TMainForm& form) : form_(form) {
    QObject::connect(form.MON_EDIT, &QLineEdit::textChanged,
                     [this] { lastChange_ = Clock::now(); });
  }

  double Click(QWidget* button, std::string_view expected) {
    form_.MON_EDIT->setText(QString());  // so that the same outcome changes it again
    const auto clicked = Clock::now();
    QTest::mouseClick(button, Qt::LeftButton);  // returns when the handler has
    if (form_.MON_EDIT->text() != QString::fromUtf8(expected.data(), expected.size())) {
      Fail("the operation failed: " + form_.MON_EDIT->text().toStdString());
    }
    return Millis(lastChange_ - clicked).count();
  }

 private:
  kx14::TMainForm& form_;
  Clock::time_point lastChange_{};
};

void Report(const char* measure, const std::vector<double>& samples, int bytes) {
  const auto stats = kx14::bench::Summarise(samples);
  const double wire = kx14::bench::WireMs(bytes, kBaud);
  std::printf(
      "%s: %d bytes on the wire = %.1f ms; through the window median %.2f ms, p99 %.2f ms "
      "(%zu runs)\n",
      measure, bytes, wire, stats.median, stats.p99, stats.count);
  kx14::bench::PrintSummary({measure, "ms", stats.median, wire, std::nullopt, std::nullopt,
                             "<=wire+2ms", stats.median <= wire + kTargetSlackMs});
}

}  // namespace

int main(int argc, char** argv) {
  signal(SIGPIPE, SIG_IGN);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const std::string devsim = argc > 2 ? argv[2] : KX14_DEVSIM_PATH;

  kx14::bench::PacedDevice device(devsim, kBaud);
  const kx14::testing::TempDir tree;
  kx14::TMainForm form;
  form.UsePortSources(PortTreeWith(tree.path(), device.HostPath()));
  form.show();
  OpenCom1(form);

  OperationTimer timer(form);
  timer.Click(form.READ_BTN, kx14::info_text::kReadSucceeded);  // warm-up
  std::vector<double> reads;
  std::vector<double> programs;
  for (int i = 0; i < runs; ++i) {
    reads.push_back(timer.Click(form.READ_BTN, kx14::info_text::kReadSucceeded));
    programs.push_back(timer.Click(form.PROGRAM_BTN, kx14::info_text::kProgramSucceeded));
    device.DiscardLog();
  }
  Report("window_read", reads, kReadBytes);
  Report("window_program", programs, kProgramBytes);
  return 0;
}
