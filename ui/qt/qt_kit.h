#pragma once

// The Qt toolkit layer of the main window: which Qt class stands for each
// control of TMainFormLogic, and how one is created, placed and coloured.

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <initializer_list>
#include <string>

#include "ui/form/form_style.h"
#include "ui/qt/bitmap_button.h"
#include "ui/qt/combo_box.h"
#include "ui/qt/edit.h"
#include "ui/qt/image.h"
#include "ui/qt/panel.h"
#include "ui/qt/qt_message_pump.h"
#include "ui/qt/radio_button.h"
#include "ui/qt/scroll_bar.h"
#include "ui/qt/speed_button.h"
#include "ui/qt/static_text.h"

namespace kx14 {

struct QtKit {
  using Container = QWidget;
  using Panel = TPanel;
  using Label = QLabel;
  using Image = TImage;
  using ScrollBar = TScrollBar;
  using Edit = TEdit;
  using RadioButton = TRadioButton;
  using ComboBox = TComboBox;
  using BitBtn = TBitBtn;
  using SpeedButton = TSpeedButton;
  using StaticText = TStaticText;
  using MessagePump = QtMessagePump;

  // A panel at `geometry`, created shown or hidden.
  static Panel* NewPanel(QWidget* parent, TRect geometry, TColour colour, bool shown);
  // A caption label at (left, top), sized to its text.
  static Label* NewLabel(QWidget* parent, const std::string& caption, int left, int top,
                         TFontRole font);
  // A label without text that fills `geometry` opaquely in the default label
  // colour (the drop shadows of the picture panel).
  static Label* NewShadowLabel(QWidget* parent, TRect geometry);
  // The racing picture, stretched over `geometry`.
  static Image* NewPicture(QWidget* parent, TRect geometry);
  static ScrollBar* NewScrollBar(QWidget* parent, TRect geometry);
  static Edit* NewEdit(QWidget* parent, TRect geometry, TFontRole font);
  static RadioButton* NewRadioButton(QWidget* parent, const std::string& caption, TRect geometry);
  static ComboBox* NewComboBox(QWidget* parent, TRect geometry, int itemHeight, int visibleItems);
  static BitBtn* NewGlyphButton(QWidget* parent, TRect geometry, TGlyph glyph, TColour fontColour);
  static SpeedButton* NewStepButton(QWidget* parent, const std::string& caption, TRect geometry,
                                    TColour colour);
  static StaticText* NewStaticText(QWidget* parent, TRect geometry);

  // The background behind the control's text (an edit field's base, a
  // button's or label's face) and the colour of its text.
  static void SetFaceColour(QWidget* control, TColour colour);
  static void SetTextColour(QWidget* control, TColour colour);
  // Clickable, but never reached with Tab.
  static void SetNoTabStop(QWidget* control);
  static void SetName(QWidget* control, const char* name, int id);
  static void SetTabChain(std::initializer_list<QWidget*> chain);
  static void SetFocus(QWidget* control);
};

// Colours one palette role of `widget`.
void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

}  // namespace kx14
