// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A canvas that draws on another one and keeps what it drew since the last Clear, so that
// the same drawing can be made again on paper or into a file, at the printer's resolution
// or as vectors, instead of copying the window's pixels. What a later filled box covers
// whole is forgotten: a strip chart that erases its plot at every sweep keeps about one
// sweep, however long it runs.

#include <cstddef>
#include <string>
#include <vector>

#include "graphs/canvas.h"

namespace orvane {

class CanvasRecord final : public Canvas {
 public:
  explicit CanvasRecord(Canvas& target) : target_(target) {}

  // Draws everything kept, in the order it was drawn, on `canvas`.
  void Replay(Canvas& canvas) const;
  // Drawing steps kept.
  std::size_t Size() const { return steps_.size(); }

  int Width() const override { return target_.Width(); }
  int Height() const override { return target_.Height(); }
  void Clear() override;
  void Line(double x1, double y1, double x2, double y2, Colour colour) override;
  void FilledBox(double x1, double y1, double x2, double y2, Colour colour) override;
  void SetPenWidth(int width) override;
  void SetDash(DashStyle style) override;
  void SetForeColour(Colour colour) override;
  void SetTextPosition(double x, double y) override;
  double TextWidth(std::string_view text) const override { return target_.TextWidth(text); }
  double TextHeight(std::string_view text) const override { return target_.TextHeight(text); }
  void PrintText(std::string_view text) override;

 private:
  enum class Kind { Line, Box, Text };
  // One drawn thing with the pen, dash and colours it was drawn with, and the box it
  // covers (x1 <= x2, y1 <= y2; for text, its measured extent).
  struct Step {
    Kind kind;
    double x1, y1, x2, y2;
    Colour colour;
    int penWidth;
    DashStyle dash;
    std::string text;
  };
  void Forget(const Step& box);

  Canvas& target_;
  std::vector<Step> steps_;
  int penWidth_ = 1;
  DashStyle dash_ = DashStyle::Solid;
  Colour fore_ = kBlack;
  double textX_ = 0;
  double textY_ = 0;
};

}  // namespace orvane
