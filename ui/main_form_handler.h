#pragma once

// Private to the window's sources: how a member function becomes a bound
// event handler.

#include <utility>

#include "ui/controls/guarded_handler.h"
#include "ui/main_form.h"

namespace kx14 {

template <typename Method>
auto TMainForm::Handler(Method method) {
  return Guarded(this, [this, method](auto&&... args) {
    (this->*method)(std::forward<decltype(args)>(args)...);
  });
}

}  // namespace kx14
