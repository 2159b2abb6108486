#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "controls/virtual_keys.h"

namespace kx14 {

class TScrollBarControl;

enum class TEditCharCase : std::uint8_t { ecNormal, ecUpperCase };

// A one-line edit field as the window's handlers see it, under every
// toolkit. The text lives in the native field (the user types into it);
// texts are UTF-8. Events, reported by the toolkit layer:
//  - OnKeyDown(Sender, Key, Shift) for every key press, Key a virtual-key code
//    passed by reference; a handler sets it to 0 to consume the key;
//  - OnKeyPress(Sender, Key) for every typed character, by reference; a
//    handler may replace it, or set it to 0 to drop it;
//  - OnExit(Sender) when the keyboard focus moves to another control of the
//    window (not when the whole window is deactivated);
//  - OnMouseUp(Sender, Button) on the release of any mouse button.
// With ecUpperCase, letters typed are turned to upper case by the native
// field, and SetText turns the letters of a text set from code itself, so
// that it never depends on how a toolkit treats text set from code.
class TEditControl {
 public:
  virtual ~TEditControl() = default;

  std::string Text() const { return NativeText(); }
  void SetText(std::string_view text);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase charCase);
  // Selects the whole text.
  virtual void SelectAll() = 0;
  // Gives the field the keyboard focus; the control that had it gets its exit.
  virtual void SetFocus() = 0;

  std::function<void(TEditControl* Sender, int& Key, TShiftState Shift)> OnKeyDown;
  std::function<void(TEditControl* Sender, char32_t& Key)> OnKeyPress;
  std::function<void(TEditControl* Sender)> OnExit;
  std::function<void(TEditControl* Sender, TMouseButton Button)> OnMouseUp;

  // General-purpose integer (an identifier field keeps its value here).
  std::int32_t Tag = 0;
  // The scroll bar whose position this field shows, for the value editors.
  TScrollBarControl* PartnerBar = nullptr;
  // Kept with the control; hints are never shown in this window.
  std::string Hint;

 protected:
  virtual std::string NativeText() const = 0;
  virtual void ShowText(const std::string& text) = 0;
  virtual void ShowCharCase(TEditCharCase charCase) = 0;

 private:
  TEditCharCase charCase_ = TEditCharCase::ecNormal;
};

// `text` with its ASCII letters in upper case; every other character as it is.
std::string UpperCaseLetters(std::string_view text);

}  // namespace kx14
