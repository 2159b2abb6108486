#include "ui/qt/error_box.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "ui/form/guarded_handler.h"

namespace kx14 {

QString ErrorBoxText(const QString& message) {
  return QString::fromStdString(ErrorBoxText(message.toStdString()));
}

void ShowErrorBox(QWidget* parent, const QString& message) {
  QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), ErrorBoxText(message),
                  QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace kx14
