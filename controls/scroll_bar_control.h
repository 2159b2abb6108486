#pragma once

#include <functional>

namespace kx14 {

class TEditControl;

// A horizontal scroll bar's value and its rule, the same under every
// toolkit: setting the position clamps it into Min..Max, and OnChange runs
// only when the stored position really changes. A toolkit layer shows the
// state on its native bar and reports the user's moves through UserMoved,
// which goes through the same rule.
class TScrollBarControl {
 public:
  virtual ~TScrollBarControl() = default;

  int Position() const { return position_; }
  void SetPosition(int position);
  int Min() const { return min_; }
  int Max() const { return max_; }
  // Clamps the position into the new range (running OnChange when it moves).
  void SetRange(int min, int max);
  int SmallChange() const { return smallChange_; }
  int LargeChange() const { return largeChange_; }
  void SetSteps(int smallChange, int largeChange);

  std::function<void(TScrollBarControl* Sender)> OnChange;
  std::function<void(TScrollBarControl* Sender)> OnExit;
  // The edit field that shows this bar's position.
  TEditControl* PartnerEdit = nullptr;

 protected:
  // The native bar takes the state; called after it is stored.
  virtual void ShowPosition(int position) = 0;
  virtual void ShowRange(int min, int max, int smallChange, int largeChange) = 0;

  // Reports from the native bar: a move by the user (clamped like any
  // other), and the focus leaving for another control of the window.
  void UserMoved(int position) { SetPosition(position); }
  void UserLeft();

 private:
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int smallChange_ = 1;
  int largeChange_ = 1;
};

}  // namespace kx14
