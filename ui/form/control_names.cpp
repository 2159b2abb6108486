#include "ui/form/control_names.h"

#include <cstring>
#include <iterator>

namespace kx14 {
namespace {

#define KX14_CONTROL_NAME(member) #member,
const char* const kControlNames[] = {KX14_FORM_CONTROLS(KX14_CONTROL_NAME)};
#undef KX14_CONTROL_NAME

constexpr int kControlCount = static_cast<int>(std::size(kControlNames));

}  // namespace

const char* ControlNameForId(int id) {
  const int index = id - kFirstControlId;
  return index >= 0 && index < kControlCount ? kControlNames[index] : nullptr;
}

int ControlIdForName(const char* name) {
  for (int i = 0; i < kControlCount; ++i) {
    if (std::strcmp(kControlNames[i], name) == 0) return kFirstControlId + i;
  }
  return 0;
}

}  // namespace kx14
