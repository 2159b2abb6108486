#pragma once

#include <QString>
#include <QToolButton>
#include <functional>

namespace kx14 {

class TEdit;

// A flat caption button that never takes the keyboard focus: clicking it
// leaves the focus where it is until its handler moves it.
class TSpeedButton : public QToolButton {
 public:
  TSpeedButton(const QString& caption, QWidget* parent);

  std::function<void(TSpeedButton* Sender)> OnClick;
  // The edit field whose value this button steps.
  TEdit* PartnerEdit = nullptr;
};

}  // namespace kx14
