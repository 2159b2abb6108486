// The floor of the start-up measure: a bare Qt window of the main window's
// size (310 x 416) in its font (IPA P Gothic, 12 px), with one label so that
// the font is really loaded, shown centred the same way. Nothing else.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("kx14 bench bare window"));
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(12);
  font.setStyleHint(QFont::SansSerif);
  window.setFont(font);
  window.setFixedSize(310, 416);
  QLabel label(QStringLiteral("起動完了"), &window);
  label.setGeometry(96, 3, 209, 18);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(), screen->geometry())
            .topLeft());
  }
  window.show();
  return QApplication::exec();
}
