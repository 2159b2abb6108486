#pragma once

#include <QColor>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace kx14 {

class TEdit;
class TPanel;

// Small constructors for the window's layout: each control is placed at an
// absolute position within its parent.

// A panel at `geometry`, created shown or hidden.
TPanel* MakePanel(QWidget* parent, const QRect& geometry, const QColor& color, bool shown);

// A caption label at `topLeft`, sized to its text.
QLabel* MakeLabel(QWidget* parent, const QString& caption, const QPoint& topLeft);

// A label without text that fills `geometry` opaquely in the default label
// colour (the drop shadows of the picture panel).
QLabel* MakeShadowLabel(QWidget* parent, const QRect& geometry);

// Colours one palette role of `widget`.
void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

}  // namespace kx14
