#pragma once

// The layout of TMainFormLogic (included by form_lifecycle.h): every
// control at its fixed pixel position within its parent, with its caption,
// colours and start value. The four shown rows (picture panel, port row,
// command row, information row) make the 310 x 416 client area; thirteen
// editor panels lie below it and stay hidden for good.

#include <string>

#include "controls/control_set_view.h"
#include "ui/form/form_style.h"
#include "ui/form/handicap_presets.h"
#include "ui/form/main_form_logic.h"

namespace kx14 {
namespace form_layout {

inline constexpr int kPortListItemHeight = 12;
inline constexpr int kPortListVisibleItems = 20;
inline constexpr int kPresetLeft = 96;
inline constexpr int kPresetWidth = 105;
inline constexpr int kPresetHeight = 18;
inline constexpr int kHiddenPanelWidth = 300;

struct OnOffLayout {
  int top;
  int height;
  const char* caption;
  const char* firstCaption;
  TRect first;
  const char* secondCaption;
  TRect second;
};

struct BarLayout {
  int top;
  int height;
  const char* caption;
  int barWidth;
  TRect field;
  TByteField holds;  // the block field it holds, whose range is the bar's
  int step;          // line and page step alike
};

struct IdLayout {
  int top;
  const char* caption;
  const char* hint;
  TColour fieldColour;
};

inline constexpr TRect kWideField{72, 1, 49, 18};
inline constexpr TRect kNarrowField{80, 1, 41, 18};

// The second button of each pair is the one selected in the layout.
template <class Kit>
void BuildOnOffPanel(typename Kit::Container* window, const OnOffLayout& layout,
                     typename Kit::Panel*& panel, typename Kit::Label*& label,
                     typename Kit::RadioButton*& first, typename Kit::RadioButton*& second) {
  panel =
      Kit::NewPanel(window, {0, layout.top, kHiddenPanelWidth, layout.height}, clBtnFace, false);
  label = Kit::NewLabel(panel, layout.caption, 4, 4, TFontRole::frWindow);
  first = Kit::NewRadioButton(panel, layout.firstCaption, layout.first);
  second = Kit::NewRadioButton(panel, layout.secondCaption, layout.second);
  second->SetChecked(true);
}

template <class Kit>
void BuildBarPanel(typename Kit::Container* window, const BarLayout& layout,
                   typename Kit::Panel*& panel, typename Kit::Label*& label,
                   typename Kit::ScrollBar*& bar, typename Kit::Edit*& field) {
  panel =
      Kit::NewPanel(window, {0, layout.top, kHiddenPanelWidth, layout.height}, clBtnFace, false);
  label = Kit::NewLabel(panel, layout.caption, 4, 4, TFontRole::frWindow);
  bar = Kit::NewScrollBar(panel, {124, 2, layout.barWidth, 16});
  const TBarRange range = BarRange(layout.holds);
  bar->SetRange(range.min, range.max);
  bar->SetSteps(layout.step, layout.step);
  bar->SetPosition(range.min);
  field = Kit::NewEdit(panel, layout.field, TFontRole::frWindow);
  field->SetCharCase(TEditCharCase::ecUpperCase);
  field->SetText("0");
}

template <class Kit>
void BuildIdPanel(typename Kit::Container* window, const IdLayout& layout,
                  typename Kit::Panel*& panel, typename Kit::Label*& label,
                  typename Kit::SpeedButton*& minus, typename Kit::Edit*& field,
                  typename Kit::SpeedButton*& plus) {
  panel = Kit::NewPanel(window, {0, layout.top, kHiddenPanelWidth, 40}, clBtnFace, false);
  label = Kit::NewLabel(panel, layout.caption, 4, 9, TFontRole::frIdLabel);
  minus = Kit::NewStepButton(panel, "－", {88, 7, 19, 27}, clBlue);
  field = Kit::NewEdit(panel, {108, 6, 117, 29}, TFontRole::frIdField);
  Kit::SetFaceColour(field, layout.fieldColour);
  field->Hint = layout.hint;
  field->SetText("0");
  field->Tag = 0;
  plus = Kit::NewStepButton(panel, "＋", {226, 7, 19, 27}, clRed);
}

}  // namespace form_layout

template <class Kit>
void TMainFormLogic<Kit>::BuildPortRow(typename Kit::Container* window) {
  Panel14 = Kit::NewPanel(window, {0, 344, 310, 24}, clSkyBlue, true);
  Label14 = Kit::NewLabel(Panel14, "COMM", 10, 6, TFontRole::frWindow);
  CommBox = Kit::NewComboBox(Panel14, {96, 3, 209, 18}, form_layout::kPortListItemHeight,
                             form_layout::kPortListVisibleItems);
}

template <class Kit>
void TMainFormLogic<Kit>::BuildCommandRow(typename Kit::Container* window) {
  CMD_PANEL = Kit::NewPanel(window, {0, 367, 310, 28}, clSkyBlue, true);
  PROGRAM_BTN = Kit::NewGlyphButton(CMD_PANEL, {2, 2, 40, 24}, TGlyph::gProgram, clBlue);
  READ_BTN = Kit::NewGlyphButton(CMD_PANEL, {43, 2, 43, 24}, TGlyph::gRead, clIdLime);
  EXIT_BTN = Kit::NewGlyphButton(CMD_PANEL, {264, 2, 41, 24}, TGlyph::gExit, clRed);
}

template <class Kit>
void TMainFormLogic<Kit>::BuildInformationRow(typename Kit::Container* window) {
  Panel16 = Kit::NewPanel(window, {0, 392, 310, 24}, clSkyBlue, true);
  Label27 = Kit::NewLabel(Panel16, "Infomation", 10, 6, TFontRole::frWindow);
  MON_EDIT = Kit::NewEdit(Panel16, {96, 3, 209, 18}, TFontRole::frWindow);
  MON_EDIT->SetCharCase(TEditCharCase::ecUpperCase);
  Kit::SetFaceColour(MON_EDIT, clInfoFieldGrey);
  Kit::SetTextColour(MON_EDIT, clBlue);
  Kit::SetNoTabStop(MON_EDIT);  // clickable and editable, but no tab stop
  MON_EDIT->SetText("起動完了");
}

template <class Kit>
void TMainFormLogic<Kit>::BuildPicturePanel(typename Kit::Container* window) {
  Panel15 = Kit::NewPanel(window, {0, 0, 310, 345}, clBtnFace, true);
  // Back to front: the picture, the shadow labels, then the buttons and the
  // comment box over them.
  Image1 = Kit::NewPicture(Panel15, {-8, 0, 321, 345});

  Label15 = Kit::NewShadowLabel(Panel15, {101, 20, 104, 17});
  Label16 = Kit::NewShadowLabel(Panel15, {101, 44, 104, 17});
  Label17 = Kit::NewShadowLabel(Panel15, {80, 64, 4, 12});
  Label18 = Kit::NewShadowLabel(Panel15, {101, 65, 104, 20});
  TLabel** stepLabels[] = {&Label19, &Label20, &Label21, &Label22, &Label23, &Label24, &Label25};
  int top = 92;
  for (TLabel** label : stepLabels) {
    *label = Kit::NewShadowLabel(Panel15, {101, top, 104, 17});
    top += 24;
  }
  Label26 = Kit::NewShadowLabel(Panel15, {16, 270, 289, 67});

  BuildPresetButtons();

  K_Comment = Kit::NewStaticText(Panel15, {8, 264, 289, 65});
  Kit::SetFaceColour(K_Comment, clBtnHighlight);
  K_Comment->SetText(CommentHeading());
}

template <class Kit>
void TMainFormLogic<Kit>::BuildPresetButtons() {
  TRadioButton** buttons[kPresetCount] = {&Handy_S, &Handy_M, &Handy0, &Handy1, &Handy2,
                                          &Handy3,  &Handy4,  &Handy5, &Handy6, &Handy_7};
  for (int i = 0; i < kPresetCount; ++i) {
    const HandicapPreset& preset = HandicapPresets()[static_cast<std::size_t>(i)];
    TRadioButton* button =
        Kit::NewRadioButton(Panel15, preset.caption,
                            {form_layout::kPresetLeft, preset.top, form_layout::kPresetWidth,
                             form_layout::kPresetHeight});
    Kit::SetFaceColour(button, clBtnFace);
    *buttons[i] = button;
  }
  // Selected in the layout, before any handler is attached.
  Handy0->SetChecked(true);
}

template <class Kit>
void TMainFormLogic<Kit>::BuildHiddenPanels(typename Kit::Container* window) {
  using namespace form_layout;
  // In the panels' tab order, which is also their creation order.
  BuildOnOffPanel<Kit>(window, {684, 20, "BUP", "00h", {120, 4, 41, 12}, "5Ah", {188, 4, 37, 12}},
                       Panel1, Label1, BUP_00h, BUP_5Ah);
  BuildIdPanel<Kit>(window, {504, "YOURID", "YOUID", clIdYellow}, Panel2, Label2, YOUID_DEC,
                    YOUID_EDIT, YOUID_INC);
  BuildIdPanel<Kit>(window, {544, "MYID", "MYID", clIdLime}, Panel3, Label3, MYID_DEC, MYID_EDIT,
                    MYID_INC);
  BuildOnOffPanel<Kit>(window,
                       {584, 25, "MASTERF", "ON", {124, 4, 37, 12}, "OFF", {188, 4, 41, 12}},
                       Panel4, Label4, MAS_ON, MAS_OFF);
  BuildOnOffPanel<Kit>(window,
                       {416, 25, "OVERTAKE", "ON", {124, 4, 37, 12}, "OFF", {188, 4, 41, 12}},
                       Panel5, Label5, OT_ON, OT_OFF);
  BuildBarPanel<Kit>(window, {608, 20, "LASTCH", 121, kWideField, TByteField::LASTCH, 1}, Panel6,
                     Label6, LAST_BAR, LAST_EDIT);
  BuildBarPanel<Kit>(window, {628, 20, "MODE", 121, kWideField, TByteField::MODE, 1}, Panel7,
                     Label7, MODE_BAR, MODE_EDIT);
  BuildBarPanel<Kit>(window, {648, 20, "LOW CH", 121, kWideField, TByteField::LOW_CH, 1}, Panel8,
                     Label8, UA_BAR, UA_EDIT);
  BuildBarPanel<Kit>(window, {668, 20, "HIGH CH", 121, kWideField, TByteField::HIGH_CH, 1}, Panel9,
                     Label9, LOW_BAR, LOW_EDIT);
  BuildBarPanel<Kit>(window, {704, 20, "ST ADJ", 121, kWideField, TByteField::ST_ADJ, 1}, Panel10,
                     Label10, HICH_BAR, HICH_EDIT);
  BuildBarPanel<Kit>(window, {440, 24, "OT MAX (回）", 125, kNarrowField, TByteField::OT_MAX, 1},
                     Panel11, Label11, THR_BAR, THR_EDIT);
  BuildBarPanel<Kit>(window, {464, 20, "OT TIME (秒)", 121, kNarrowField, TByteField::OT_TIME, 1},
                     Panel12, Label12, YOBI1_BAR, YOBI1_EDIT);
  BuildBarPanel<Kit>(window, {484, 20, "MAXPWR （%)", 121, kNarrowField, TByteField::MAXPWR, 2},
                     Panel13, Label13, YOBI2_BAR, YOBI2_EDIT);
}

}  // namespace kx14
