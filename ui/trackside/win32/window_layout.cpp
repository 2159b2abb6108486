#include "ui/trackside/win32/window_layout.h"

#include <algorithm>

#include "ui/trackside/trackside_controls.h"

namespace kx14::trackside {
namespace {

using namespace controls;

constexpr int kMargin = 8;
constexpr int kGap = 6;
constexpr int kRow = 24;       // a button's or a drop-down list's row
constexpr int kCaption = 18;   // a one-line label
constexpr int kTwoLines = 34;  // a label that may wrap
constexpr int kButton = 120;

// Stacks controls down one column.
class Column {
 public:
  Column(const std::map<std::string, HWND>& controls, int left, int width)
      : controls_(controls), left_(left), width_(width) {}

  void Put(const char* name, int height) { Place(name, left_, width_, height); }
  // Controls side by side on one row; the last takes what is left.
  void PutRow(std::initializer_list<const char*> names) {
    int left = left_;
    const char* const* last = names.end() - 1;
    for (const char* const* name = names.begin(); name != names.end(); ++name) {
      const int width = name == last ? left_ + width_ - left : kButton;
      MoveWindow(controls_.at(*name), left, top_, width, kRow, TRUE);
      left += width + kGap;
    }
    top_ += kRow + kGap;
  }
  int Top() const { return top_; }

 private:
  void Place(const char* name, int left, int width, int height) {
    MoveWindow(controls_.at(name), left, top_, width, height, TRUE);
    top_ += height + kGap;
  }

  const std::map<std::string, HWND>& controls_;
  int left_;
  int width_;
  int top_ = kMargin;
};

}  // namespace

void PlaceControls(const std::map<std::string, HWND>& controls, int width, int height) {
  const int inner = std::max(width - 3 * kMargin, 200);
  const int leftWidth = inner * 2 / 5;
  const int bottom = std::max(height - kMargin, 300);

  Column setup(controls, kMargin, leftWidth);
  // Fixed rows: roster button, roster message, other cars, adapters'
  // caption, log and start rows.
  const int setupFlexible = bottom - (4 * (kRow + kGap) + kTwoLines + kCaption + 3 * kGap);
  setup.PutRow({kOpenRoster, kRosterFile});
  setup.Put(kRoster, setupFlexible * 3 / 5);
  setup.Put(kRosterMessage, kTwoLines);
  setup.PutRow({kOtherCarsCaption, kOtherCars});
  setup.Put(kAdaptersCaption, kCaption);
  setup.Put(kAdapters, setupFlexible * 2 / 5);
  setup.PutRow({kChooseLog, kLogFile});
  setup.PutRow({kStart, kStop, kStartHint});

  Column race(controls, 2 * kMargin + leftWidth, inner - leftWidth);
  const int raceFlexible = bottom - (4 * kCaption + kCaption + kTwoLines + 7 * kGap);
  race.Put(kStatusesCaption, kCaption);
  race.Put(kStatuses, raceFlexible / 5);
  race.Put(kCounts, kCaption);
  race.Put(kResultsCaption, kCaption);
  race.Put(kResults, raceFlexible * 3 / 5);
  race.Put(kNotSeenCaption, kCaption);
  race.Put(kNotSeen, raceFlexible / 5);
  race.Put(kMessage, kTwoLines);
}

}  // namespace kx14::trackside
