#include "ui/qt/main_form.h"

#include <QCloseEvent>
#include <QResizeEvent>

#include "ui/form/form_lifecycle.h"
#include "ui/qt/error_box.h"
#include "ui/qt/system_colors.h"
#include "ui/qt/window_style.h"

namespace kx14 {

template class TMainFormLogic<QtKit>;

namespace {

const char* const kCaption = "KX-14 Quovi Manager V1.00";
constexpr int kClientWidth = 310;
constexpr int kClientHeight = 416;  // the shown panels, stacked

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QString::fromLatin1(kCaption));
  setFont(WindowFont());
  SetColour(this, QPalette::Window, ToQColor(clBtnFace));
  SetColour(this, QPalette::Button, ToQColor(clBtnFace));
  SetColour(this, QPalette::WindowText, ToQColor(clWindowText));
  // The port list draws on the fixed button face with the desktop's button
  // text, which a dark theme makes light.
  SetColour(this, QPalette::ButtonText,
            ReadableOn(clBtnFace, QApplication::palette().color(QPalette::ButtonText)));
  setAutoFillBackground(true);
  // Sized to the shown panels; dragging a border cannot change that.
  setFixedSize(kClientWidth, kClientHeight);
  BuildForm(this);
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCanResize(QObject*, int&, int&, bool&) {}

void TMainForm::ShowError(const std::string& message) {
  ShowErrorBox(this, QString::fromStdString(message));
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!CloseRequested()) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The request is passed to the resize handler, which accepts it; the fixed
  // size has already decided the outcome.
  int newWidth = event->size().width();
  int newHeight = event->size().height();
  bool resize = true;
  FormCanResize(this, newWidth, newHeight, resize);
}

}  // namespace kx14
