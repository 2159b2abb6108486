// The four shown rows of the main window: picture panel, port row, command
// row and information row, at their fixed pixel positions.

#include <QLabel>

#include "ui/art/art_resources.h"
#include "ui/controls/bitmap_button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/edit.h"
#include "ui/controls/image.h"
#include "ui/controls/panel.h"
#include "ui/controls/radio_button.h"
#include "ui/controls/static_text.h"
#include "ui/controls/system_colors.h"
#include "ui/handicap_presets.h"
#include "ui/layout_helpers.h"
#include "ui/main_form.h"
#include "ui/window_style.h"

namespace kx14 {
namespace {

constexpr int kPortListItemHeight = 12;
constexpr int kPortListVisibleItems = 20;
constexpr int kPresetLeft = 96;
constexpr int kPresetWidth = 105;
constexpr int kPresetHeight = 18;

TBitBtn* MakeGlyphButton(QWidget* parent, const QRect& geometry, const char* glyph,
                         const QColor& fontColour) {
  auto* button = new TBitBtn(parent);
  button->setGeometry(geometry);
  button->setFont(CommandButtonFont());
  SetColour(button, QPalette::ButtonText, fontColour);
  button->SetGlyph(art::glyphImage(glyph));
  return button;
}

}  // namespace

void TMainForm::BuildPortRow() {
  Panel14 = MakePanel(this, QRect(0, 344, 310, 24), SkyBlue(), true);
  Label14 = MakeLabel(Panel14, QStringLiteral("COMM"), QPoint(10, 6));
  CommBox = new TComboBox(Panel14, kPortListItemHeight, kPortListVisibleItems);
  CommBox->setGeometry(96, 3, 209, 18);
}

void TMainForm::BuildCommandRow() {
  CMD_PANEL = MakePanel(this, QRect(0, 367, 310, 28), SkyBlue(), true);
  PROGRAM_BTN = MakeGlyphButton(CMD_PANEL, QRect(2, 2, 40, 24), art::kProgramGlyphResource, Qt::blue);
  READ_BTN = MakeGlyphButton(CMD_PANEL, QRect(43, 2, 43, 24), art::kReadGlyphResource, Qt::green);
  EXIT_BTN = MakeGlyphButton(CMD_PANEL, QRect(264, 2, 41, 24), art::kExitGlyphResource, Qt::red);
}

void TMainForm::BuildInformationRow() {
  Panel16 = MakePanel(this, QRect(0, 392, 310, 24), SkyBlue(), true);
  Label27 = MakeLabel(Panel16, QStringLiteral("Infomation"), QPoint(10, 6));
  MON_EDIT = new TEdit(Panel16);
  MON_EDIT->setGeometry(96, 3, 209, 18);
  MON_EDIT->SetCharCase(TEditCharCase::ecUpperCase);
  SetColour(MON_EDIT, QPalette::Base, InfoFieldGrey());
  SetColour(MON_EDIT, QPalette::Text, Qt::blue);
  MON_EDIT->setFocusPolicy(Qt::ClickFocus);  // no tab stop, but clickable and editable
  MON_EDIT->SetText(QStringLiteral("起動完了"));
}

void TMainForm::BuildPicturePanel() {
  Panel15 = MakePanel(this, QRect(0, 0, 310, 345), clBtnFace(), true);
  // Back to front: the picture, the shadow labels, then the buttons and the
  // comment box over them.
  Image1 = new TImage(Panel15);
  Image1->setGeometry(-8, 0, 321, 345);
  Image1->SetPicture(art::pictureImage());

  Label15 = MakeShadowLabel(Panel15, QRect(101, 20, 104, 17));
  Label16 = MakeShadowLabel(Panel15, QRect(101, 44, 104, 17));
  Label17 = MakeShadowLabel(Panel15, QRect(80, 64, 4, 12));
  Label18 = MakeShadowLabel(Panel15, QRect(101, 65, 104, 20));
  QLabel** stepLabels[] = {&Label19, &Label20, &Label21, &Label22, &Label23, &Label24, &Label25};
  int top = 92;
  for (QLabel** label : stepLabels) {
    *label = MakeShadowLabel(Panel15, QRect(101, top, 104, 17));
    top += 24;
  }
  Label26 = MakeShadowLabel(Panel15, QRect(16, 270, 289, 67));

  BuildPresetButtons();

  K_Comment = new TStaticText(Panel15);
  K_Comment->setGeometry(8, 264, 289, 65);
  SetColour(K_Comment, QPalette::Window, clBtnHighlight());
  K_Comment->SetText(CommentHeading());
}

void TMainForm::BuildPresetButtons() {
  TRadioButton** buttons[kPresetCount] = {&Handy_S, &Handy_M, &Handy0, &Handy1, &Handy2,
                                          &Handy3,  &Handy4,  &Handy5, &Handy6, &Handy_7};
  for (int i = 0; i < kPresetCount; ++i) {
    const HandicapPreset& preset = HandicapPresets()[static_cast<std::size_t>(i)];
    auto* button = new TRadioButton(QString::fromUtf8(preset.caption), Panel15);
    button->setGeometry(kPresetLeft, preset.top, kPresetWidth, kPresetHeight);
    button->setAutoFillBackground(true);
    SetColour(button, QPalette::Window, clBtnFace());
    *buttons[i] = button;
  }
  // Selected in the layout, before any handler is attached.
  Handy0->SetChecked(true);
}

void TMainForm::SetTabChain() {
  // Only the selected preset takes part: the exclusive group keeps the tab
  // stop on its selected button. Hidden controls, the information field and
  // the comment box are never reached.
  QWidget* chain[] = {CommBox, PROGRAM_BTN, READ_BTN, EXIT_BTN, Handy_S, Handy_M, Handy0,
                      Handy1,  Handy2,      Handy3,   Handy4,   Handy5,  Handy6,  Handy_7};
  for (std::size_t i = 1; i < std::size(chain); ++i) setTabOrder(chain[i - 1], chain[i]);
  CommBox->setFocus();
}

}  // namespace kx14
