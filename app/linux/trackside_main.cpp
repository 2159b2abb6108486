// kx14-trackside: race day in a window. Programs each car plugged into the
// chosen adapters with its roster level, and shows every adapter, every car
// and the counts. No command line is read beyond Qt's own arguments.

#include <QApplication>

#include "app/linux/font_config_warmup.h"
#include "history/history_writer.h"
#include "ui/trackside/qt/trackside_window.h"

int main(int argc, char* argv[]) {
  kx14::FontConfigWarmUp fontConfig;
  QApplication application(argc, argv);
  // Lets the desktop show the menu entry's icon for the window.
  QGuiApplication::setDesktopFileName(QStringLiteral("kx14-trackside"));
  fontConfig.Join();
  kx14::trackside::TracksideWindow window(kx14::DefaultPortSources(),
                                          kx14::history::HistoryFolder());
  window.show();
  return QApplication::exec();
}
