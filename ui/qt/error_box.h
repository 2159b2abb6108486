#pragma once

#include <QString>

class QWidget;

namespace kx14 {

// The error box's text (see ErrorBoxText in ui/form/guarded_handler.h).
QString ErrorBoxText(const QString& message);

// Shows the error box, modal over `parent`: caption the application title
// (QCoreApplication::applicationName), the text by ErrorBoxText, an error
// icon and a single OK button. Returns when the user has closed it.
void ShowErrorBox(QWidget* parent, const QString& message);

}  // namespace kx14
