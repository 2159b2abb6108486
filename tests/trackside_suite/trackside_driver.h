#pragma once

// The track-side window as a behaviour test sees it, under every toolkit,
// with simulated adapters beside it. Controls are named as
// ui/trackside/trackside_controls.h names them. One driver per toolkit
// implements it (Qt: tests/ui/qt_trackside_driver.cpp); the suite in this
// folder is written once against it.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kx14::test {

// A simulated device on an adapter of its own: a car plugged in.
class SimulatedAdapter {
 public:
  virtual ~SimulatedAdapter() = default;
  // Its COM name, as the window lists it.
  virtual std::string Port() const = 0;
  // One control line to the simulator ("block 5A ...", "unregister",
  // "register"), sent and confirmed.
  virtual void Control(const std::string& line) = 0;
  // How many blocks the device has stored so far.
  virtual int Stores() = 0;
};

class TracksideDriver {
 public:
  virtual ~TracksideDriver() = default;

  // Starts a simulated device with the simulator's options (its block, its
  // delay), registered where the window looks for ports.
  virtual std::unique_ptr<SimulatedAdapter> PlugAdapter(const std::vector<std::string>& args) = 0;

  // A removable stick that holds `folder`, plugged in: the folder as the
  // window reaches it.
  virtual std::string PlugStick(const std::filesystem::path& folder) = 0;
  // The stick pulled out: its files are gone for the window, though the
  // window may hold one open.
  virtual void PullStick() = 0;

  // The next file dialog the window opens is answered with `path`; the
  // system's own dialog never shows in a test.
  virtual void AnswerFileDialog(const std::string& path) = 0;
  // A left-button press and release in the middle of a button.
  virtual void Click(const std::string& button) = 0;
  virtual bool Enabled(const std::string& control) = 0;
  // A label's text.
  virtual std::string Text(const std::string& label) = 0;
  // Chooses the drop-down list's item, as the user does.
  virtual void ChooseItem(const std::string& list, int index) = 0;
  // Ticks or clears the check box of the adapter listed as `port`.
  virtual void TickAdapter(const std::string& port, bool ticked) = 0;
  // A table's rows as the native table holds them, or a list's lines as
  // rows of one cell.
  virtual std::vector<std::vector<std::string>> Rows(const std::string& control) = 0;
  // Whether the table's row is drawn in red.
  virtual bool RowInRed(const std::string& table, int row) = 0;

  // The title bar's close button.
  virtual void Close() = 0;
  virtual bool WindowShown() = 0;
  // Runs the window's events until `done` holds, at most `deadline`: true
  // when it held.
  virtual bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) = 0;
};

// A fresh track-side window, shown, whose ports are the simulated adapters
// its driver plugs in, and only those.
std::unique_ptr<TracksideDriver> OpenTracksideWindow();

}  // namespace kx14::test
