// The track-side suite's driver for the Qt window: widgets found by their
// object names, clicks sent as mouse events (QTest), on the offscreen
// platform; the simulated adapters are kx14-devsim processes registered in
// the driver's own ports folder, which is the window's only source of ports.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <optional>
#include <sstream>

#include "devsim_process.h"
#include "temp_dir.h"
#include "tests/trackside_suite/trackside_driver.h"
#include "ui/trackside/qt/trackside_window.h"

namespace kx14::test {
namespace {

using namespace std::chrono_literals;
constexpr auto kSimulatorStart = 10s;

class DevsimAdapter final : public SimulatedAdapter {
 public:
  DevsimAdapter(const std::filesystem::path& configHome, const std::vector<std::string>& args)
      : sim_(KX14_DEVSIM_PATH, configHome, args) {
    std::istringstream words(sim_.WaitForLine("port ", kSimulatorStart).value_or(""));
    std::string keyword;
    words >> keyword >> port_;
    EXPECT_FALSE(port_.empty()) << "the simulator did not start";
  }

  std::string Port() const override { return port_; }
  void Control(const std::string& line) override {
    sim_.Send(line + "\n");
    EXPECT_TRUE(sim_.WaitForLine("ctl ", kSimulatorStart)) << "not confirmed: " << line;
  }
  int Stores() override {
    while (sim_.ReadLine(0ms)) {
    }
    int stores = 0;
    for (const std::string& line : sim_.Lines()) stores += line.starts_with("stored ") ? 1 : 0;
    return stores;
  }

 private:
  testing::DevsimProcess sim_;
  std::string port_;
};

class QtTracksideDriver final : public TracksideDriver {
 public:
  QtTracksideDriver()
      : window_(PortSources{UserPortsDirectory(config_.path().string(), "", ""),
                            config_.path() / "no-sysfs"},
                config_.path() / "history",
                [this](QWidget*, trackside::TFileChoice) { return std::exchange(answer_, {}); }) {
    window_.show();
  }

  std::unique_ptr<SimulatedAdapter> PlugAdapter(const std::vector<std::string>& args) override {
    return std::make_unique<DevsimAdapter>(config_.path(), args);
  }
  std::string PlugStick(const std::filesystem::path& folder) override {
    std::filesystem::create_directories(folder);
    stick_ = folder;
    return folder.string();
  }
  // Linux lets a folder go while a file in it is open, as a stick pulled out.
  void PullStick() override { std::filesystem::remove_all(stick_); }
  void AnswerFileDialog(const std::string& path) override { answer_ = path; }
  void Click(const std::string& button) override {
    QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton);
  }
  bool Enabled(const std::string& control) override { return Find<QWidget>(control)->isEnabled(); }
  std::string Text(const std::string& label) override {
    return Find<QLabel>(label)->text().toStdString();
  }
  void ChooseItem(const std::string& list, int index) override {
    Find<QComboBox>(list)->setCurrentIndex(index);
  }
  void TickAdapter(const std::string& port, bool ticked) override {
    const QList<QTableWidgetItem*> found =
        Find<QTableWidget>("Adapters")->findItems(QString::fromStdString(port), Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << port << " is not listed";
    found.front()->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
  }
  std::vector<std::vector<std::string>> Rows(const std::string& control) override {
    std::vector<std::vector<std::string>> rows;
    if (auto* list = window_.findChild<QListWidget*>(QString::fromStdString(control))) {
      for (int row = 0; row < list->count(); ++row)
        rows.push_back({list->item(row)->text().toStdString()});
      return rows;
    }
    const QTableWidget* table = Find<QTableWidget>(control);
    for (int row = 0; row < table->rowCount(); ++row) {
      rows.emplace_back();
      for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem* item = table->item(row, column);
        rows.back().push_back(item != nullptr ? item->text().toStdString() : "");
      }
    }
    return rows;
  }
  bool RowInRed(const std::string& table, int row) override {
    const QTableWidgetItem* item = Find<QTableWidget>(table)->item(row, 0);
    return item != nullptr && item->foreground().color() == QColor(Qt::red);
  }
  void Close() override { window_.close(); }
  bool WindowShown() override { return window_.isVisible(); }
  bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) override {
    return QTest::qWaitFor(done, static_cast<int>(deadline.count()));
  }

 private:
  template <class Widget>
  Widget* Find(const std::string& name) {
    auto* widget = window_.findChild<Widget*>(QString::fromStdString(name));
    if (widget == nullptr) throw std::runtime_error("no control named " + name);
    return widget;
  }

  testing::TempDir config_;
  std::optional<std::string> answer_;
  std::filesystem::path stick_;
  trackside::TracksideWindow window_;
};

}  // namespace

std::unique_ptr<TracksideDriver> OpenTracksideWindow() {
  return std::make_unique<QtTracksideDriver>();
}

}  // namespace kx14::test

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
