#include "ui/win32/style.h"

#include <array>
#include <cwchar>

#include "ui/form/readable_colour.h"

namespace kx14 {
namespace {

// The layout's proportional Gothic first, then the Japanese UI faces of
// later Windows versions.
constexpr std::array<const wchar_t*, 4> kFaces = {L"ＭＳ Ｐゴシック", L"Yu Gothic UI", L"Meiryo UI",
                                                  L"MS UI Gothic"};
// The step buttons' face, where the machine has it with Japanese glyphs.
const wchar_t* const kStepButtonFace = L"System";

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one match is enough
}

bool FacePresent(HDC dc, const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(dc, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

const wchar_t* FindFace() {
  HDC dc = GetDC(nullptr);
  const wchar_t* chosen = kFaces.back();
  for (const wchar_t* face : kFaces) {
    if (FacePresent(dc, face)) {
      chosen = face;
      break;
    }
  }
  ReleaseDC(nullptr, dc);
  return chosen;
}

const wchar_t* FindStepButtonFace() {
  HDC dc = GetDC(nullptr);
  const bool present = FacePresent(dc, kStepButtonFace);
  ReleaseDC(nullptr, dc);
  return present ? kStepButtonFace : ChosenFontFace();
}

}  // namespace

const wchar_t* ChosenFontFace() {
  static const wchar_t* const face = FindFace();
  return face;
}

const wchar_t* FontFaceFor(TFontRole role) {
  static const wchar_t* const stepFace = FindStepButtonFace();
  return role == TFontRole::frStepButton ? stepFace : ChosenFontFace();
}

COLORREF ReadableTextOn(TColour face, std::optional<TColour> wanted) {
  const TColour systemText = FromColorRef(GetSysColor(COLOR_WINDOWTEXT));
  return ToColorRef(ReadableTextColour(face, wanted.value_or(systemText), systemText));
}

HFONT FontFor(TFontRole role) {
  static std::array<HFONT, 5> fonts{};
  HFONT& font = fonts.at(static_cast<std::size_t>(role));
  if (font == nullptr) {
    const TFontSpec spec = FontSpec(role);
    font = CreateFontW(-spec.pixelHeight, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                       FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, FontFaceFor(role));
  }
  return font;
}

}  // namespace kx14
