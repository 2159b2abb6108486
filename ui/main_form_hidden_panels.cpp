// The thirteen editor panels, laid out below the shown rows and hidden for
// good. Their controls hold the parameter block's values.

#include <QLabel>

#include "ui/controls/edit.h"
#include "ui/controls/panel.h"
#include "ui/controls/radio_button.h"
#include "ui/controls/scroll_bar.h"
#include "ui/controls/speed_button.h"
#include "ui/controls/system_colors.h"
#include "ui/layout_helpers.h"
#include "ui/main_form.h"
#include "ui/window_style.h"

namespace kx14 {
namespace {

constexpr int kHiddenPanelWidth = 300;

struct OnOffLayout {
  int top;
  int height;
  const char* caption;
  const char* firstCaption;
  QRect first;
  const char* secondCaption;
  QRect second;
};

struct BarLayout {
  int top;
  int height;
  const char* caption;
  int barWidth;
  QRect field;
  int min;
  int max;
  int step;  // line and page step alike
};

const QRect kWideField(72, 1, 49, 18);
const QRect kNarrowField(80, 1, 41, 18);

// The second button of each pair is the one selected in the layout.
void BuildOnOffPanel(QWidget* window, const OnOffLayout& layout, TPanel*& panel, QLabel*& label,
                     TRadioButton*& first, TRadioButton*& second) {
  panel =
      MakePanel(window, QRect(0, layout.top, kHiddenPanelWidth, layout.height), clBtnFace(), false);
  label = MakeLabel(panel, QString::fromUtf8(layout.caption), QPoint(4, 4));
  first = new TRadioButton(QString::fromLatin1(layout.firstCaption), panel);
  first->setGeometry(layout.first);
  second = new TRadioButton(QString::fromLatin1(layout.secondCaption), panel);
  second->setGeometry(layout.second);
  second->SetChecked(true);
}

void BuildBarPanel(QWidget* window, const BarLayout& layout, TPanel*& panel, QLabel*& label,
                   TScrollBar*& bar, TEdit*& field) {
  panel =
      MakePanel(window, QRect(0, layout.top, kHiddenPanelWidth, layout.height), clBtnFace(), false);
  label = MakeLabel(panel, QString::fromUtf8(layout.caption), QPoint(4, 4));
  bar = new TScrollBar(panel);
  bar->setGeometry(124, 2, layout.barWidth, 16);
  bar->SetRange(layout.min, layout.max);
  bar->SetSteps(layout.step, layout.step);
  bar->SetPosition(layout.min);
  field = new TEdit(panel);
  field->setGeometry(layout.field);
  field->SetCharCase(TEditCharCase::ecUpperCase);
  field->SetText(QStringLiteral("0"));
}

struct IdLayout {
  int top;
  const char* caption;
  const char* hint;
  QColor fieldColour;
};

TSpeedButton* MakeStepButton(QWidget* panel, const QString& caption, int left,
                             const QColor& colour) {
  auto* button = new TSpeedButton(caption, panel);
  button->setGeometry(left, 7, 19, 27);
  button->setFont(StepButtonFont());
  SetColour(button, QPalette::ButtonText, colour);
  return button;
}

void BuildIdPanel(QWidget* window, const IdLayout& layout, TPanel*& panel, QLabel*& label,
                  TSpeedButton*& minus, TEdit*& field, TSpeedButton*& plus) {
  panel = MakePanel(window, QRect(0, layout.top, kHiddenPanelWidth, 40), clBtnFace(), false);
  label = MakeLabel(panel, QString(), QPoint(4, 9));
  label->setFont(IdLabelFont());
  label->setText(QString::fromLatin1(layout.caption));
  label->adjustSize();
  minus = MakeStepButton(panel, QStringLiteral("－"), 88, Qt::blue);
  field = new TEdit(panel);
  field->setGeometry(108, 6, 117, 29);
  field->setFont(IdFieldFont());
  SetColour(field, QPalette::Base, layout.fieldColour);
  field->Hint = QString::fromLatin1(layout.hint);
  field->SetText(QStringLiteral("0"));
  field->Tag = 0;
  plus = MakeStepButton(panel, QStringLiteral("＋"), 226, Qt::red);
}

}  // namespace

void TMainForm::BuildHiddenPanels() {
  // In the panels' tab order, which is also their creation order.
  BuildOnOffPanel(this,
                  {684, 20, "BUP", "00h", QRect(120, 4, 41, 12), "5Ah", QRect(188, 4, 37, 12)},
                  Panel1, Label1, BUP_00h, BUP_5Ah);
  BuildIdPanel(this, {504, "YOURID", "YOUID", IdYellow()}, Panel2, Label2, YOUID_DEC, YOUID_EDIT,
               YOUID_INC);
  BuildIdPanel(this, {544, "MYID", "MYID", IdLime()}, Panel3, Label3, MYID_DEC, MYID_EDIT,
               MYID_INC);
  BuildOnOffPanel(this,
                  {584, 25, "MASTERF", "ON", QRect(124, 4, 37, 12), "OFF", QRect(188, 4, 41, 12)},
                  Panel4, Label4, MAS_ON, MAS_OFF);
  BuildOnOffPanel(this,
                  {416, 25, "OVERTAKE", "ON", QRect(124, 4, 37, 12), "OFF", QRect(188, 4, 41, 12)},
                  Panel5, Label5, OT_ON, OT_OFF);
  BuildBarPanel(this, {608, 20, "LASTCH", 121, kWideField, 0, 255, 1}, Panel6, Label6, LAST_BAR,
                LAST_EDIT);
  BuildBarPanel(this, {628, 20, "MODE", 121, kWideField, 0, 255, 1}, Panel7, Label7, MODE_BAR,
                MODE_EDIT);
  BuildBarPanel(this, {648, 20, "LOW CH", 121, kWideField, 0, 255, 1}, Panel8, Label8, UA_BAR,
                UA_EDIT);
  BuildBarPanel(this, {668, 20, "HIGH CH", 121, kWideField, 0, 255, 1}, Panel9, Label9, LOW_BAR,
                LOW_EDIT);
  BuildBarPanel(this, {704, 20, "ST ADJ", 121, kWideField, 0, 255, 1}, Panel10, Label10, HICH_BAR,
                HICH_EDIT);
  BuildBarPanel(this, {440, 24, "OT MAX (回）", 125, kNarrowField, 1, 250, 1}, Panel11, Label11,
                THR_BAR, THR_EDIT);
  BuildBarPanel(this, {464, 20, "OT TIME (秒)", 121, kNarrowField, 1, 250, 1}, Panel12, Label12,
                YOBI1_BAR, YOBI1_EDIT);
  BuildBarPanel(this, {484, 20, "MAXPWR （%)", 121, kNarrowField, 0, 100, 2}, Panel13, Label13,
                YOBI2_BAR, YOBI2_EDIT);
}

}  // namespace kx14
