#include "controls/edit_control.h"

namespace kx14 {

void TEditControl::SetText(std::string_view text) {
  ShowText(charCase_ == TEditCharCase::ecUpperCase ? UpperCaseLetters(text) : std::string(text));
}

void TEditControl::SetCharCase(TEditCharCase charCase) {
  charCase_ = charCase;
  ShowCharCase(charCase);
  if (charCase == TEditCharCase::ecUpperCase) SetText(NativeText());
}

std::string UpperCaseLetters(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace kx14
