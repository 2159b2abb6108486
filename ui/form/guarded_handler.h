#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace kx14 {

// The text of the error box for an exception that escaped a handler: the
// message, with a "." appended when its last character sorts after "."
// (compared by code point), so a message ending in a Japanese character
// gets one and a message ending in "." or "!" does not. An empty message
// stays empty. UTF-8 in and out.
std::string ErrorBoxText(std::string_view message);

// Wraps an event handler so that no exception leaves it: no toolkit's event
// dispatch can carry one, and an exception that escapes a handler must end
// in the error box while the window carries on. `showError(message)` shows
// the box. The result takes the handler's arguments as they come
// (references stay references).
template <typename ShowError, typename Handler>
auto Guarded(ShowError showError, Handler handler) {
  return [showError = std::move(showError), handler = std::move(handler)](auto&&... args) {
    try {
      handler(std::forward<decltype(args)>(args)...);
    } catch (const std::exception& error) {
      showError(std::string(error.what()));
    } catch (...) {
      showError(std::string("Unknown exception"));
    }
  };
}

}  // namespace kx14
