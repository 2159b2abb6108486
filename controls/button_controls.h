#pragma once

#include <functional>
#include <string>

namespace kx14 {

class TEditControl;

// A command button showing a glyph. Enter or Space on the focused button
// clicks it.
class TBitBtnControl {
 public:
  virtual ~TBitBtnControl() = default;
  std::function<void(TBitBtnControl* Sender)> OnClick;

 protected:
  void UserClicked() {
    if (OnClick) OnClick(this);
  }
};

// A flat caption button that never takes the keyboard focus: clicking it
// leaves the focus where it is until its handler moves it.
class TSpeedButtonControl {
 public:
  virtual ~TSpeedButtonControl() = default;
  std::function<void(TSpeedButtonControl* Sender)> OnClick;
  // The edit field whose value this button steps.
  TEditControl* PartnerEdit = nullptr;

 protected:
  void UserClicked() {
    if (OnClick) OnClick(this);
  }
};

// Multi-line static text. Text() gives back exactly what SetText() stored,
// line breaks included ("\r\n" as well as "\n" starts a new line on screen).
class TStaticTextControl {
 public:
  virtual ~TStaticTextControl() = default;
  const std::string& Text() const { return text_; }
  void SetText(std::string text) {
    text_ = std::move(text);
    ShowText(text_);
  }

 protected:
  virtual void ShowText(const std::string& text) = 0;

 private:
  std::string text_;
};

}  // namespace kx14
