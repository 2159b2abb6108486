#include "ui/controls/error_box.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace kx14 {
namespace {

char32_t LastCodePoint(const QString& text) {
  const QList<uint> codePoints = text.toUcs4();
  return codePoints.isEmpty() ? U'\0' : static_cast<char32_t>(codePoints.back());
}

}  // namespace

QString ErrorBoxText(const QString& message) {
  if (message.isEmpty() || LastCodePoint(message) <= U'.') return message;
  return message + QLatin1Char('.');
}

void ShowErrorBox(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), ErrorBoxText(message),
                  QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace kx14
