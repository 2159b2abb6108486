#include "ui/qt/app_title.h"

#include <QCoreApplication>

#include "ui/form/app_title.h"

namespace kx14 {

QString ApplicationTitleFromPath(const QString& programPath) {
  return QString::fromStdString(ApplicationTitleFromPath(programPath.toStdString()));
}

void SetApplicationTitleFromProgramFile() {
  // Not the display name: Qt appends that to every window caption.
  QCoreApplication::setApplicationName(
      ApplicationTitleFromPath(QCoreApplication::applicationFilePath()));
}

}  // namespace kx14
