#pragma once

#include <QString>

namespace kx14 {

// ApplicationTitleFromPath (ui/form/app_title.h) for a Qt path.
QString ApplicationTitleFromPath(const QString& programPath);

// Sets the application title (kept as the application name, which the
// error box shows as its caption) from this program's own file.
void SetApplicationTitleFromProgramFile();

}  // namespace kx14
