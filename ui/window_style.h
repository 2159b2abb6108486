#pragma once

#include <QColor>
#include <QFont>

namespace kx14 {

// Fonts and colours of the main window. The window's proportional Gothic
// font is stood in for by IPA P Gothic at the same pixel height (Debian
// fonts-ipafont-gothic); the bold "System" font of the step buttons by the
// same face in bold, which also has the full-width minus and plus signs.
QFont WindowFont();         // 12 px regular: every control unless named below
QFont IdLabelFont();        // 21 px bold: the identifier captions
QFont IdFieldFont();        // 21 px bold: the identifier fields
QFont StepButtonFont();     // 19 px bold: the identifier step buttons
QFont CommandButtonFont();  // 12 px bold: the glyph buttons (no caption shows it)

QColor SkyBlue();        // the port, command and information rows
QColor InfoFieldGrey();  // the information field's background
QColor IdYellow();       // the YOURID field
QColor IdLime();         // the MYID field

}  // namespace kx14
