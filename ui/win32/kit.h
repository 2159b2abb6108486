#pragma once

// The Win32 toolkit layer of the main window: which Win32 control stands
// for each control of TMainFormLogic, and how one is created and coloured.
// Every control gets its stable control ID (see ui/form/control_names.h).
// Each Win32 control creates its native window, shows the neutral control's
// state on it and reports the user's input back to it; the rules live in the
// neutral controls (controls/).

#include <initializer_list>
#include <string>

#include "ui/form/form_style.h"
#include "ui/win32/bitmap_button.h"
#include "ui/win32/combo_box.h"
#include "ui/win32/control.h"
#include "ui/win32/edit.h"
#include "ui/win32/label.h"
#include "ui/win32/window_message_pump.h"
#include "ui/win32/panel.h"
#include "ui/win32/picture.h"
#include "ui/win32/radio_button.h"
#include "ui/win32/scroll_bar.h"
#include "ui/win32/speed_button.h"
#include "ui/win32/static_text.h"

namespace kx14 {

struct Win32Kit {
  using Container = Win32Container;
  using Panel = Win32Panel;
  using Label = Win32Label;
  using Image = Win32Picture;
  using ScrollBar = Win32ScrollBar;
  using Edit = Win32Edit;
  using RadioButton = Win32RadioButton;
  using ComboBox = Win32ComboBox;
  using BitBtn = Win32BitBtn;
  using SpeedButton = Win32SpeedButton;
  using StaticText = Win32StaticText;
  using MessagePump = Win32MessagePump;

  static Panel* NewPanel(Container* parent, TRect area, TColour face, bool shown);
  static Label* NewLabel(Container* parent, const std::string& caption, int left, int top,
                         TFontRole font);
  static Label* NewShadowLabel(Container* parent, TRect area);
  static Image* NewPicture(Container* parent, TRect area);
  static ScrollBar* NewScrollBar(Container* parent, TRect area);
  static Edit* NewEdit(Container* parent, TRect area, TFontRole font);
  static RadioButton* NewRadioButton(Container* parent, const std::string& caption, TRect area);
  static ComboBox* NewComboBox(Container* parent, TRect area, int itemHeight, int visibleItems);
  static BitBtn* NewGlyphButton(Container* parent, TRect area, TGlyph glyph, TColour fontColour);
  static SpeedButton* NewStepButton(Container* parent, const std::string& caption, TRect area,
                                    TColour colour);
  static StaticText* NewStaticText(Container* parent, TRect area);

  static void SetFaceColour(Win32Control* control, TColour colour) { control->SetFace(colour); }
  static void SetTextColour(Win32Control* control, TColour colour) {
    control->SetTextColour(colour);
  }
  static void SetNoTabStop(Win32Control* control);
  // The control ID (GWLP_ID) that names the control from outside.
  static void SetName(Win32Control* control, const char* name, int id);
  static void SetTabChain(std::initializer_list<Win32Control*> chain);
  static void SetFocus(Win32Control* control);
};

}  // namespace kx14
