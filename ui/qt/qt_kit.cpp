#include "ui/qt/qt_kit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <iterator>

#include "ui/art/art_resources.h"
#include "ui/qt/system_colors.h"
#include "ui/qt/window_style.h"

namespace kx14 {
namespace {

void Place(QWidget* widget, TRect geometry) {
  widget->setGeometry(geometry.left, geometry.top, geometry.width, geometry.height);
}

const char* GlyphResource(TGlyph glyph) {
  switch (glyph) {
    case TGlyph::gProgram:
      return art::kProgramGlyphResource;
    case TGlyph::gRead:
      return art::kReadGlyphResource;
    case TGlyph::gExit:
      break;
  }
  return art::kExitGlyphResource;
}

}  // namespace

TPanel* QtKit::NewPanel(QWidget* parent, TRect geometry, TColour colour, bool shown) {
  auto* panel = new TPanel(parent);
  Place(panel, geometry);
  panel->SetColor(ToQColor(colour));
  // Hiding it explicitly keeps it hidden when the window is shown.
  panel->setVisible(shown);
  return panel;
}

QLabel* QtKit::NewLabel(QWidget* parent, const std::string& caption, int left, int top,
                        TFontRole font) {
  auto* label = new QLabel(QString::fromStdString(caption), parent);
  if (font != TFontRole::frWindow) label->setFont(FontFor(font));
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLabel* QtKit::NewShadowLabel(QWidget* parent, TRect geometry) {
  auto* label = new QLabel(parent);
  Place(label, geometry);
  label->setAutoFillBackground(true);
  SetColour(label, QPalette::Window, ToQColor(clDefaultLabelFill));
  return label;
}

TImage* QtKit::NewPicture(QWidget* parent, TRect geometry) {
  auto* image = new TImage(parent);
  Place(image, geometry);
  image->SetPicture(art::pictureImage());
  return image;
}

TScrollBar* QtKit::NewScrollBar(QWidget* parent, TRect geometry) {
  auto* bar = new TScrollBar(parent);
  Place(bar, geometry);
  return bar;
}

TEdit* QtKit::NewEdit(QWidget* parent, TRect geometry, TFontRole font) {
  auto* field = new TEdit(parent);
  Place(field, geometry);
  if (font != TFontRole::frWindow) field->setFont(FontFor(font));
  return field;
}

TRadioButton* QtKit::NewRadioButton(QWidget* parent, const std::string& caption, TRect geometry) {
  auto* button = new TRadioButton(QString::fromStdString(caption), parent);
  Place(button, geometry);
  return button;
}

TComboBox* QtKit::NewComboBox(QWidget* parent, TRect geometry, int itemHeight, int visibleItems) {
  auto* list = new TComboBox(parent, itemHeight, visibleItems);
  Place(list, geometry);
  return list;
}

TBitBtn* QtKit::NewGlyphButton(QWidget* parent, TRect geometry, TGlyph glyph, TColour fontColour) {
  auto* button = new TBitBtn(parent);
  Place(button, geometry);
  button->setFont(FontFor(TFontRole::frCommandButton));
  SetColour(button, QPalette::ButtonText, ToQColor(fontColour));
  button->SetGlyph(art::glyphImage(GlyphResource(glyph)));
  return button;
}

TSpeedButton* QtKit::NewStepButton(QWidget* parent, const std::string& caption, TRect geometry,
                                   TColour colour) {
  auto* button = new TSpeedButton(QString::fromStdString(caption), parent);
  Place(button, geometry);
  button->setFont(FontFor(TFontRole::frStepButton));
  SetColour(button, QPalette::ButtonText, ToQColor(colour));
  return button;
}

TStaticText* QtKit::NewStaticText(QWidget* parent, TRect geometry) {
  auto* text = new TStaticText(parent);
  Place(text, geometry);
  return text;
}

void QtKit::SetFaceColour(QWidget* control, TColour colour) {
  // The text on a fixed face must read on it whatever the desktop's colours.
  if (qobject_cast<QLineEdit*>(control) != nullptr) {
    SetColour(control, QPalette::Base, ToQColor(colour));
    SetColour(control, QPalette::Text, ReadableOn(colour, control->palette().color(QPalette::Text)));
    return;
  }
  control->setAutoFillBackground(true);
  SetColour(control, QPalette::Window, ToQColor(colour));
  SetColour(control, QPalette::WindowText,
            ReadableOn(colour, control->palette().color(QPalette::WindowText)));
}

void QtKit::SetTextColour(QWidget* control, TColour colour) {
  const QPalette::ColorRole face =
      qobject_cast<QLineEdit*>(control) != nullptr ? QPalette::Base : QPalette::Window;
  SetColour(control, QPalette::Text,
            ReadableOn(ToTColour(control->palette().color(face)), ToQColor(colour)));
}

void QtKit::SetNoTabStop(QWidget* control) { control->setFocusPolicy(Qt::ClickFocus); }

void QtKit::SetName(QWidget* control, const char* name, int) {
  control->setObjectName(QString::fromLatin1(name));
}

void QtKit::SetTabChain(std::initializer_list<QWidget*> chain) {
  const QWidget* previous = nullptr;
  for (QWidget* control : chain) {
    if (previous != nullptr) QWidget::setTabOrder(const_cast<QWidget*>(previous), control);
    previous = control;
  }
}

void QtKit::SetFocus(QWidget* control) { control->setFocus(); }

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

}  // namespace kx14
