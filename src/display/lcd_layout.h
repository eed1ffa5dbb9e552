// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where every element of the panel's LCD sits: name, kind, design-time caption, position
// and size in twips (15 twips to a pixel at 96 dpi) and the bold sans-serif point size.
// The LCD view builds its widgets from this table; the decoder builds its model from it.

#include <cstdint>
#include <span>
#include <string_view>

namespace orvane {

enum class ElementKind : std::uint8_t { Label, Image };

// Pictures drawn by the program itself.
enum class Picture : std::uint8_t {
  None,
  ClockDial,       // ImaAPO
  TriangleUp,      // ImgUp, filled
  TriangleDown,    // ImgDown, filled
  OpenTriangle,    // ImaDelta
  BatteryOutline,  // ImaS1, terminal on the left
  BatteryBar,      // ImaS2..ImaS6; `bar` 1 is nearest the terminal
};

struct LcdElement {
  std::string_view name;
  ElementKind kind;
  std::string_view caption;  // labels only
  int left;
  int top;
  int width;
  int height;
  double fontPt;  // labels only
  Picture picture = Picture::None;
  int bar = 0;
};

// The panel is laid out in twips: 15 to a screen pixel.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int Px(int twips) {
  return twips / kTwipsPerPixel;
}

// Every LCD element, digits first, then points, separators, units, annunciators in byte
// order, the battery gauge and the static unit labels.
std::span<const LcdElement> LcdLayout();

// The LCD face, in twips from the panel's client area: every element lies inside it.
struct TwipRect {
  int left;
  int top;
  int width;
  int height;
};
inline constexpr TwipRect kLcdFace{120, 600, 7320, 4320};

}  // namespace orvane
