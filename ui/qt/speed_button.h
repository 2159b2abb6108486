#pragma once

#include <QString>
#include <QToolButton>

#include "controls/button_controls.h"

namespace kx14 {

// The Qt flat caption button of a TSpeedButtonControl; it never takes the
// keyboard focus.
class TSpeedButton : public QToolButton, public TSpeedButtonControl {
 public:
  TSpeedButton(const QString& caption, QWidget* parent);
};

}  // namespace kx14
