#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace kx14 {

// A picture stretched to the control's whole area, its aspect ratio not
// kept. The parent clips whatever lies outside it. Without a picture the
// control draws nothing and the parent shows through.
class TImage : public QWidget {
 public:
  explicit TImage(QWidget* parent);

  // Shows `picture`; returns false (and shows nothing) for a null one.
  bool SetPicture(const QImage& picture);
  const QPixmap& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace kx14
