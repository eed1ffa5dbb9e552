// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A canvas that draws nothing and remembers every drawing operation with the pen, dash
// and colour in force, so tests can check where a chart puts its lines and texts.

#include <string>
#include <string_view>
#include <vector>

#include "graphs/canvas.h"

namespace orvane::testing {

struct DrawOp {
  enum class Kind { Clear, Line, Box, Text } kind;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // a text's position is (x1, y1)
  Colour colour;
  int penWidth = 1;
  DashStyle dash = DashStyle::Solid;
  std::string text;
};

class RecordingCanvas final : public Canvas {
 public:
  static constexpr double kCharWidth = 7;
  static constexpr double kTextHeight = 13;

  RecordingCanvas(int width, int height) : width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Clear() override {
    ops_.push_back({DrawOp::Kind::Clear, 0, 0, 0, 0, kWhite, pen_, dash_, {}});
  }
  void Line(double x1, double y1, double x2, double y2, Colour colour) override {
    ops_.push_back({DrawOp::Kind::Line, x1, y1, x2, y2, colour, pen_, dash_, {}});
  }
  void FilledBox(double x1, double y1, double x2, double y2, Colour colour) override {
    ops_.push_back({DrawOp::Kind::Box, x1, y1, x2, y2, colour, pen_, dash_, {}});
  }
  void SetPenWidth(int width) override { pen_ = width; }
  void SetDash(DashStyle style) override { dash_ = style; }
  void SetForeColour(Colour colour) override { fore_ = colour; }
  void SetTextPosition(double x, double y) override { textX_ = x, textY_ = y; }
  double TextWidth(std::string_view text) const override { return kCharWidth * text.size(); }
  double TextHeight(std::string_view) const override { return kTextHeight; }
  void PrintText(std::string_view text) override {
    ops_.push_back(
        {DrawOp::Kind::Text, textX_, textY_, 0, 0, fore_, pen_, dash_, std::string(text)});
  }

  const std::vector<DrawOp>& Ops() const { return ops_; }
  void Forget() { ops_.clear(); }
  std::vector<DrawOp> OfKind(DrawOp::Kind kind) const {
    std::vector<DrawOp> found;
    for (const DrawOp& op : ops_) {
      if (op.kind == kind) found.push_back(op);
    }
    return found;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> found;
    for (const DrawOp& op : OfKind(DrawOp::Kind::Text)) found.push_back(op.text);
    return found;
  }

 private:
  int width_;
  int height_;
  int pen_ = 1;
  DashStyle dash_ = DashStyle::Solid;
  Colour fore_ = kBlack;
  double textX_ = 0, textY_ = 0;
  std::vector<DrawOp> ops_;
};

}  // namespace orvane::testing
