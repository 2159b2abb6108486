#pragma once

#include <QString>

class QWidget;

namespace kx14 {

// The text of the error box for an exception that escaped a handler: the
// message, with a "." appended when its last character sorts after "."
// (compared by code point), so a message ending in a Japanese character
// gets one and a message ending in "." or "!" does not. An empty message
// stays empty.
QString ErrorBoxText(const QString& message);

// Shows the error box, modal over `parent`: caption the application title
// (QCoreApplication::applicationName), the text by ErrorBoxText, an error
// icon and a single OK button. Returns when the user has closed it.
void ShowErrorBox(QWidget* parent, const QString& message);

}  // namespace kx14
