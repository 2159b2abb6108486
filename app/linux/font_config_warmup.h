#pragma once

#include <thread>

namespace kx14 {

// Loads the system's font configuration (its files and font caches) on a
// second thread while the toolkit starts up on the first: the window needs it
// for its first line of text, and loading it there would hold the window back
// by several milliseconds of a start-up that is otherwise spent connecting to
// the display and loading plugins. Join before the window is built; the
// toolkit then finds the configuration loaded. Harmless when it finds it
// already loaded, or when it loads it itself first.
class FontConfigWarmUp {
 public:
  FontConfigWarmUp();
  ~FontConfigWarmUp();  // joins
  FontConfigWarmUp(const FontConfigWarmUp&) = delete;
  FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

  void Join();

 private:
  std::thread thread_;
};

}  // namespace kx14
