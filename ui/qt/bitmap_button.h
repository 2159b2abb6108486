#pragma once

#include <QImage>
#include <QPushButton>

#include "controls/button_controls.h"

namespace kx14 {

// A command button that shows a bitmap glyph centred and no caption. Enter
// or Space on the focused button clicks it.
class TBitBtn : public QPushButton, public TBitBtnControl {
 public:
  explicit TBitBtn(QWidget* parent);

  // Shows `glyph`, its transparent pixels letting the face show through. A
  // null image leaves the button without a glyph; returns whether it is set.
  bool SetGlyph(const QImage& glyph);
};

}  // namespace kx14
