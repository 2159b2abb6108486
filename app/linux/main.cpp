// kx14-manager: reads and programs the settings block of a KX-14 device on a
// serial port. No command line is read; Qt's own arguments (-platform, ...)
// are the only ones QApplication takes from it.

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include "app/linux/font_config_warmup.h"
#include "ui/qt/app_title.h"
#include "ui/qt/main_form.h"

namespace {

void ShowCentred(QWidget& window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    window.move(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(), screen->geometry())
            .topLeft());
  }
  window.show();
}

}  // namespace

int main(int argc, char* argv[]) {
  kx14::FontConfigWarmUp fontConfig;
  QApplication application(argc, argv);
  fontConfig.Join();
  kx14::SetApplicationTitleFromProgramFile();
  kx14::TMainForm MainForm;
  ShowCentred(MainForm);
  return QApplication::exec();
}
