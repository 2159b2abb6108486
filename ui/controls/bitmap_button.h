#pragma once

#include <QPushButton>
#include <QString>
#include <functional>

namespace kx14 {

// A command button that shows a bitmap glyph centred and no caption. The
// glyph's magenta background (255, 0, 255) is drawn transparent. Enter or
// Space on the focused button clicks it.
class TBitBtn : public QPushButton {
 public:
  explicit TBitBtn(QWidget* parent);

  // Loads the glyph from `resource`. A missing or unreadable bitmap leaves
  // the button without a glyph; returns whether it loaded.
  bool LoadGlyph(const QString& resource);

  std::function<void(TBitBtn* Sender)> OnClick;
};

}  // namespace kx14
