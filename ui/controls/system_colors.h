#pragma once

#include <QColor>

namespace kx14 {

// The system colours the window is drawn with. They are fixed (the values of
// the usual Windows desktop scheme) instead of taken from the desktop theme,
// so that the window looks the same on every desktop and in screenshots.
inline QColor clBtnFace() { return QColor(240, 240, 240); }
inline QColor clBtnHighlight() { return QColor(255, 255, 255); }
inline QColor clBtnShadow() { return QColor(160, 160, 160); }
inline QColor cl3DLight() { return QColor(227, 227, 227); }
inline QColor clWindow() { return QColor(255, 255, 255); }
inline QColor clWindowText() { return QColor(0, 0, 0); }

// What an opaque label "in the default colour" paints: a dark grey, so that
// the labels read as drop shadows behind the buttons they sit under.
inline QColor clDefaultLabelFill() { return QColor(64, 64, 64); }

}  // namespace kx14
