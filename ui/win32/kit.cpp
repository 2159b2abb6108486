#include "ui/win32/kit.h"

#include <memory>

namespace kx14 {

Win32Panel* Win32Kit::NewPanel(Container* parent, TRect area, TColour face, bool shown) {
  return parent->Adopt(std::make_unique<Win32Panel>(parent, area, face, shown));
}

Win32Label* Win32Kit::NewLabel(Container* parent, const std::string& caption, int left, int top,
                               TFontRole font) {
  return parent->Adopt(std::make_unique<Win32Label>(parent, caption, TRect{left, top, 0, 0}, font));
}

Win32Label* Win32Kit::NewShadowLabel(Container* parent, TRect area) {
  Win32Label* label =
      parent->Adopt(std::make_unique<Win32Label>(parent, "", area, TFontRole::frWindow));
  label->SetFace(clDefaultLabelFill);
  return label;
}

Win32Picture* Win32Kit::NewPicture(Container* parent, TRect area) {
  return parent->Adopt(std::make_unique<Win32Picture>(parent, area));
}

Win32ScrollBar* Win32Kit::NewScrollBar(Container* parent, TRect area) {
  return parent->Adopt(std::make_unique<Win32ScrollBar>(parent, area));
}

Win32Edit* Win32Kit::NewEdit(Container* parent, TRect area, TFontRole font) {
  Win32Edit* field = parent->Adopt(std::make_unique<Win32Edit>(parent, area, font));
  field->SetFace(clWindow);
  return field;
}

Win32RadioButton* Win32Kit::NewRadioButton(Container* parent, const std::string& caption,
                                           TRect area) {
  return parent->Adopt(std::make_unique<Win32RadioButton>(parent, caption, area));
}

Win32ComboBox* Win32Kit::NewComboBox(Container* parent, TRect area, int itemHeight,
                                     int visibleItems) {
  return parent->Adopt(std::make_unique<Win32ComboBox>(parent, area, itemHeight, visibleItems));
}

Win32BitBtn* Win32Kit::NewGlyphButton(Container* parent, TRect area, TGlyph glyph, TColour) {
  // The glyph is the whole face: the caption colour has nothing to colour.
  return parent->Adopt(std::make_unique<Win32BitBtn>(parent, area, glyph));
}

Win32SpeedButton* Win32Kit::NewStepButton(Container* parent, const std::string& caption, TRect area,
                                          TColour colour) {
  Win32SpeedButton* button =
      parent->Adopt(std::make_unique<Win32SpeedButton>(parent, caption, area));
  button->SetTextColour(colour);
  return button;
}

Win32StaticText* Win32Kit::NewStaticText(Container* parent, TRect area) {
  return parent->Adopt(std::make_unique<Win32StaticText>(parent, area));
}

void Win32Kit::SetNoTabStop(Win32Control* control) {
  const HWND hwnd = control->Handle();
  SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) & ~WS_TABSTOP);
}

void Win32Kit::SetName(Win32Control* control, const char*, int id) {
  SetWindowLongPtrW(control->Handle(), GWLP_ID, id);
}

void Win32Kit::SetTabChain(std::initializer_list<Win32Control*> chain) {
  // The dialog manager tabs through siblings in their z-order: each control
  // goes right behind the one before it where the two share a parent.
  const Win32Control* previous = nullptr;
  for (Win32Control* control : chain) {
    if (previous != nullptr && GetParent(previous->Handle()) == GetParent(control->Handle())) {
      SetWindowPos(control->Handle(), previous->Handle(), 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    previous = control;
  }
}

void Win32Kit::SetFocus(Win32Control* control) { ::SetFocus(control->Handle()); }

}  // namespace kx14
