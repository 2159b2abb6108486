#pragma once

#include <QString>
#include <QWidget>

namespace kx14 {

// Multi-line static text in a soft bevel, left aligned from the top, wrapped
// at the right edge. Text() gives back exactly what SetText() stored, line
// breaks included ("\r\n" as well as "\n" starts a new line on screen).
class TStaticText : public QWidget {
 public:
  explicit TStaticText(QWidget* parent);

  QString Text() const { return text_; }
  void SetText(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};

}  // namespace kx14
