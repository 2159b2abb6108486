#include "ui/qt/app_title.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kx14 {

QString ApplicationTitleFromPath(const QString& programPath) {
  QString name = QFileInfo(programPath).fileName();
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  if (dot >= 0) name.truncate(dot);
  if (name.isEmpty()) return name;
  return name.left(1).toUpper() + name.mid(1).toLower();
}

void SetApplicationTitleFromProgramFile() {
  // Not the display name: Qt appends that to every window caption.
  QCoreApplication::setApplicationName(
      ApplicationTitleFromPath(QCoreApplication::applicationFilePath()));
}

}  // namespace kx14
