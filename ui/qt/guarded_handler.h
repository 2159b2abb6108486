#pragma once

#include <QString>
#include <string>

#include "ui/form/guarded_handler.h"
#include "ui/qt/error_box.h"

class QWidget;

namespace kx14 {

// Guarded() for a handler of a Qt window: an exception that escapes it ends
// in the error box over `owner`.
template <typename Handler>
auto GuardedForWidget(QWidget* owner, Handler handler) {
  return Guarded(
      [owner](const std::string& message) { ShowErrorBox(owner, QString::fromStdString(message)); },
      std::move(handler));
}

}  // namespace kx14
