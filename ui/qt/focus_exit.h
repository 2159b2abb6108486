#pragma once

#include <QFocusEvent>

namespace kx14 {

// True when a focus-out means the user left the control for another one of
// the same window. Losing the focus because the whole window was deactivated
// or a popup opened is no exit: the control keeps the focus of its window and
// its exit handler must not commit anything then.
inline bool IsControlExit(const QFocusEvent& event) {
  const Qt::FocusReason reason = event.reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace kx14
