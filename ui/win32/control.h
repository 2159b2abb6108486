#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/form/form_style.h"

namespace kx14 {

class TRadioButtonControl;

// One native control of the Win32 window: its HWND, its colours, and the
// messages that reach it. A control finds its object through GWLP_USERDATA;
// its parent (a Win32Container) routes the notifications and colour
// requests that Windows sends to the parent back to the control.
class Win32Control {
 public:
  virtual ~Win32Control() = default;
  Win32Control(const Win32Control&) = delete;
  Win32Control& operator=(const Win32Control&) = delete;

  HWND Handle() const { return hwnd_; }
  static Win32Control* FromHandle(HWND hwnd);

  // Background and text colour; unset ones come from the parent.
  void SetFace(TColour face);
  void SetTextColour(TColour colour) { text_ = colour; }
  // Colours `dc` for drawing this control over `behind` (the parent's
  // face); the brush to paint with, or null when the parent's face applies.
  HBRUSH PrepareColours(HDC dc, TColour behind) const;
  std::optional<TColour> Face() const { return face_; }
  std::optional<TColour> TextColour() const { return text_; }

  // WM_COMMAND, WM_HSCROLL and WM_DRAWITEM that Windows sent the parent
  // about this control.
  virtual void Command(int) {}
  virtual void Scroll(int) {}
  virtual void DrawItem(const DRAWITEMSTRUCT&) {}

 protected:
  Win32Control() = default;
  // Takes the window made for this object; with `subclass`, its messages
  // pass through Intercept first.
  void Attach(HWND hwnd, bool subclass);
  // Handles `message` before the control's own procedure; true when done,
  // with `result` the answer.
  virtual bool Intercept(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
  LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);
  HBRUSH FaceBrush() const { return brush_; }

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  WNDPROC original_ = nullptr;
  std::optional<TColour> face_;
  std::optional<TColour> text_;
  HBRUSH brush_ = nullptr;
};

// A window that holds controls: a panel, or the main window itself. It owns
// its controls' objects, paints its face (with a raised one-pixel bevel for
// a panel) and hands notifications and colour requests to the controls.
class Win32Container : public Win32Control {
 public:
  ~Win32Container() override;

  // Keeps `control` with this container (and makes it its child's object).
  template <class T>
  T* Adopt(std::unique_ptr<T> control) {
    T* raw = control.get();
    children_.push_back(std::move(control));
    return raw;
  }
  // The radio buttons placed on this container: one group.
  std::vector<TRadioButtonControl*>& RadioGroup() { return radioGroup_; }

  static constexpr UINT kCloseUpMessage = WM_APP + 1;  // lParam: the list's HWND

 protected:
  Win32Container() = default;
  // Creates the window of class "KX14Container" at `area` of `parent`
  // (null: a top-level window with `style`).
  void CreateContainer(HWND parent, const RECT& area, DWORD style, DWORD exStyle, bool bevel,
                       const wchar_t* caption);
  // The container's own messages; the default handling for the rest.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void DestroyNow();

 private:
  static LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  std::vector<std::unique_ptr<Win32Control>> children_;
  std::vector<TRadioButtonControl*> radioGroup_;
  bool bevel_ = false;
};

}  // namespace kx14
