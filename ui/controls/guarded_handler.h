#pragma once

#include <QString>
#include <exception>
#include <utility>

#include "ui/controls/error_box.h"

class QWidget;

namespace kx14 {

// Wraps an event handler so that no exception leaves it: Qt's event loop
// cannot carry one, and an exception that escapes a handler must end in the
// error box while the window carries on. Every handler binding of the window
// goes through this wrapper. The result takes the handler's arguments as
// they come (references stay references).
template <typename Handler>
auto Guarded(QWidget* owner, Handler handler) {
  return [owner, handler = std::move(handler)](auto&&... args) {
    try {
      handler(std::forward<decltype(args)>(args)...);
    } catch (const std::exception& error) {
      ShowErrorBox(owner, QString::fromUtf8(error.what()));
    } catch (...) {
      ShowErrorBox(owner, QStringLiteral("Unknown exception"));
    }
  };
}

}  // namespace kx14
