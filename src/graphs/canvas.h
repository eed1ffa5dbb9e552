// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Immediate-mode drawing on a window surface, in pixels of the client area (origin top
// left, y growing downwards). Nothing is retained: what is drawn exists only as pixels.

#include <cstdint>
#include <string_view>

namespace orvane {

struct Colour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kBlue{0, 0, 255};
inline constexpr Colour kWhite{255, 255, 255};

// The classic 16-colour palette; an index outside 0..15 gives black.
Colour PaletteColour(int index);

enum class DashStyle { Solid, Dotted };

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual int Width() const = 0;   // client width
  virtual int Height() const = 0;  // client height
  // The whole surface white.
  virtual void Clear() = 0;
  // A line in the given colour, with the current pen width and dash style.
  virtual void Line(double x1, double y1, double x2, double y2, Colour colour) = 0;
  // A filled box between two corners, in the given colour, no outline.
  virtual void FilledBox(double x1, double y1, double x2, double y2, Colour colour) = 0;
  virtual void SetPenWidth(int width) = 0;
  virtual void SetDash(DashStyle style) = 0;
  // The colour of printed text.
  virtual void SetForeColour(Colour colour) = 0;
  // Top-left corner of the next printed text.
  virtual void SetTextPosition(double x, double y) = 0;
  virtual double TextWidth(std::string_view text) const = 0;
  virtual double TextHeight(std::string_view text) const = 0;
  virtual void PrintText(std::string_view text) = 0;
};

}  // namespace orvane
