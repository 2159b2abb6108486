#pragma once

// The track-side window under Qt: Qt's widgets over TracksideLogic, which
// decides everything; this class only builds the widgets, forwards their
// signals and copies the logic's screen into them on a timer.

#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <optional>

#include "ports/com_ports.h"
#include "ui/trackside/qt/file_dialog.h"
#include "ui/trackside/trackside_logic.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QVBoxLayout;

namespace kx14::trackside {

class TracksideWindow final : public QWidget {
 public:
  TracksideWindow(PortSources sources, std::optional<std::filesystem::path> historyFolder,
                  FileDialog fileDialog = SystemFileDialog);
  ~TracksideWindow() override;

 protected:
  // While a car is being programmed the close waits for it: the window
  // stays up, says why, and closes itself once the race has ended.
  void closeEvent(QCloseEvent* event) override;

 private:
  QVBoxLayout* BuildSetup();
  QVBoxLayout* BuildRace();
  void Connect();
  void ChooseFile(TFileChoice choice);
  void AdapterChanged(QTableWidgetItem* item);
  void Tick();
  void Render();
  void RenderAdapters();
  void RenderRace();

  TracksideLogic logic_;
  FileDialog fileDialog_;
  QTimer timer_;
  int rosterShown_ = -1;
  int adaptersShown_ = -1;
  int raceShown_ = -1;

  QPushButton* openRoster_ = nullptr;
  QLabel* rosterFile_ = nullptr;
  QTableWidget* roster_ = nullptr;
  QLabel* rosterMessage_ = nullptr;
  QComboBox* otherCars_ = nullptr;
  QTableWidget* adapters_ = nullptr;
  QPushButton* chooseLog_ = nullptr;
  QLabel* logFile_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* stop_ = nullptr;
  QLabel* startHint_ = nullptr;
  QListWidget* statuses_ = nullptr;
  QLabel* counts_ = nullptr;
  QTableWidget* results_ = nullptr;
  QListWidget* notSeen_ = nullptr;
  QLabel* message_ = nullptr;
};

}  // namespace kx14::trackside
