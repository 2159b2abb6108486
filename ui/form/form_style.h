#pragma once

// The window's geometry, colours and font roles without a toolkit: what the
// layout says and each toolkit layer turns into its own values.

#include <cstdint>

namespace kx14 {

struct TRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct TColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const TColour&, const TColour&) = default;
};

// The fonts of the window. The proportional Japanese Gothic face comes from
// the toolkit layer (the first present of the usual Windows faces on
// Windows, IPA P Gothic on Linux); only size and weight are the layout's.
enum class TFontRole : std::uint8_t {
  frWindow,         // 12 px regular: every control unless named below
  frIdLabel,        // 21 px bold: the identifier captions
  frIdField,        // 21 px bold: the identifier fields
  frStepButton,     // 19 px bold: the identifier step buttons
  frCommandButton,  // 12 px bold: the glyph buttons (no caption shows it)
};

struct TFontSpec {
  int pixelHeight;
  bool bold;
};

constexpr TFontSpec FontSpec(TFontRole role) {
  switch (role) {
    case TFontRole::frIdLabel:
    case TFontRole::frIdField:
      return {21, true};
    case TFontRole::frStepButton:
      return {19, true};
    case TFontRole::frCommandButton:
      return {12, true};
    case TFontRole::frWindow:
      break;
  }
  return {12, false};
}

// The three command-button glyphs.
enum class TGlyph : std::uint8_t { gProgram, gRead, gExit };

// The system colours the window is drawn with. They are fixed (the values of
// the usual Windows desktop scheme) instead of taken from the desktop theme,
// so that the window looks the same on every desktop and in screenshots.
inline constexpr TColour clBtnFace{240, 240, 240};
inline constexpr TColour clBtnHighlight{255, 255, 255};
inline constexpr TColour clBtnShadow{160, 160, 160};
inline constexpr TColour cl3DLight{227, 227, 227};
inline constexpr TColour clWindow{255, 255, 255};
inline constexpr TColour clWindowText{0, 0, 0};
// What an opaque label "in the default colour" paints: a dark grey, so that
// the labels read as drop shadows behind the buttons they sit under.
inline constexpr TColour clDefaultLabelFill{64, 64, 64};

inline constexpr TColour clBlue{0, 0, 255};
inline constexpr TColour clRed{255, 0, 0};
inline constexpr TColour clSkyBlue{166, 202, 240};        // the port, command and information rows
inline constexpr TColour clInfoFieldGrey{160, 160, 164};  // the information field
inline constexpr TColour clIdYellow{255, 255, 0};         // the YOURID field
inline constexpr TColour clIdLime{0, 255, 0};             // the MYID field

}  // namespace kx14
