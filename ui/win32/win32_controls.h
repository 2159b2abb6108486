#pragma once

// The Win32 control of each toolkit-neutral control: each creates its
// native window, shows the neutral control's state on it and reports the
// user's input back to it. The rules live in the neutral controls.

#include <windows.h>

#include <string>
#include <vector>

#include "ui/form/controls/button_controls.h"
#include "ui/form/controls/combo_box_control.h"
#include "ui/form/controls/edit_control.h"
#include "ui/form/controls/radio_button_control.h"
#include "ui/form/controls/scroll_bar_control.h"
#include "ui/form/form_style.h"
#include "ui/win32/control.h"

namespace kx14 {

// Creates a child window of `parent` at `area` and sets the font of `role`.
HWND CreateChild(const wchar_t* windowClass, const std::wstring& text, DWORD style,
                 Win32Container* parent, TRect area, TFontRole role);

class Win32Panel final : public Win32Container {
 public:
  Win32Panel(Win32Container* parent, TRect area, TColour face, bool shown);
};

// A static caption; a shadow label is one without text in an opaque face.
class Win32Label final : public Win32Control {
 public:
  Win32Label(Win32Container* parent, const std::string& caption, TRect area, TFontRole role);
};

// The racing picture, stretched over the control.
class Win32Picture final : public Win32Control {
 public:
  Win32Picture(Win32Container* parent, TRect area);

 protected:
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class Win32ScrollBar final : public Win32Control, public TScrollBarControl {
 public:
  Win32ScrollBar(Win32Container* parent, TRect area);
  void Scroll(int code) override;

 protected:
  void ShowPosition(int position) override;
  void ShowRange(int min, int max, int smallChange, int largeChange) override;
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class Win32Edit final : public Win32Control, public TEditControl {
 public:
  Win32Edit(Win32Container* parent, TRect area, TFontRole role);
  void SelectAll() override;
  void SetFocus() override;

 protected:
  std::string NativeText() const override;
  void ShowText(const std::string& text) override;
  void ShowCharCase(TEditCharCase charCase) override;
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  bool KeyDown(WPARAM key);
  bool swallowChar_ = false;  // the WM_CHAR of a key that OnKeyDown consumed
};

// A radio button of its panel's group. A click selects it, and so does the
// focus arriving from the keyboard (the arrow keys within the group), which
// the common controls' plain radio button leaves to the program.
class Win32RadioButton final : public Win32Control, public TRadioButtonControl {
 public:
  Win32RadioButton(Win32Container* parent, const std::string& caption, TRect area);
  ~Win32RadioButton() override;
  void Command(int code) override;

 protected:
  void ShowChecked(bool checked) override;
  std::vector<TRadioButtonControl*> GroupSiblings() const override;
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  Win32Container* group_;
  bool pressing_ = false;  // inside the button's own WM_LBUTTONDOWN
};

// The port list: a drop-down list whose items the program draws as plain
// text at a fixed height, `visibleItems` of them shown when it is open (the
// version 6 list takes that count, not the height reserved for it).
class Win32ComboBox final : public Win32Control, public TComboBoxControl {
 public:
  Win32ComboBox(Win32Container* parent, TRect area, int itemHeight, int visibleItems);
  void Command(int code) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  void ShowItems(const std::vector<std::string>& items, int index) override;
};

class Win32BitBtn final : public Win32Control, public TBitBtnControl {
 public:
  Win32BitBtn(Win32Container* parent, TRect area, TGlyph glyph);
  ~Win32BitBtn() override;
  void Command(int code) override;

 protected:
  // Enter on the focused button clicks it (Space does so natively).
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  HBITMAP glyph_ = nullptr;
};

// A flat step button drawn by the program: its caption centred in its text
// colour over its parent's face, sunken while pressed. It is a window class
// of its own that never takes the focus (a BUTTON takes it on mouse-down,
// which would commit the field being edited and cancel the press when the
// focus went back). A click is a press and release over the button.
class Win32SpeedButton final : public Win32Control, public TSpeedButtonControl {
 public:
  Win32SpeedButton(Win32Container* parent, const std::string& caption, TRect area);
  // Draws the button as it looks now into `dc` (also for WM_PRINTCLIENT).
  void Draw(HDC dc) const;

 protected:
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  bool PointerInside(LPARAM lParam) const;
  void SetPressed(bool pressed);
  void Release(LPARAM lParam);

  std::wstring caption_;
  bool tracking_ = false;  // the left button went down here and is held
  bool pressed_ = false;   // drawn sunken: tracking and the pointer inside
};

class Win32StaticText final : public Win32Control, public TStaticTextControl {
 public:
  Win32StaticText(Win32Container* parent, TRect area);

 protected:
  void ShowText(const std::string& text) override;
};

}  // namespace kx14
