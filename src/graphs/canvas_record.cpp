// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/canvas_record.h"

#include <algorithm>

namespace orvane {

void CanvasRecord::Clear() {
  target_.Clear();
  steps_.clear();
}

void CanvasRecord::Line(double x1, double y1, double x2, double y2, Colour colour) {
  target_.Line(x1, y1, x2, y2, colour);
  steps_.push_back({Kind::Line, x1, y1, x2, y2, colour, penWidth_, dash_, {}});
}

void CanvasRecord::FilledBox(double x1, double y1, double x2, double y2, Colour colour) {
  target_.FilledBox(x1, y1, x2, y2, colour);
  Step box{Kind::Box, x1, y1, x2, y2, colour, penWidth_, dash_, {}};
  box.x1 = std::min(x1, x2), box.x2 = std::max(x1, x2);
  box.y1 = std::min(y1, y2), box.y2 = std::max(y1, y2);
  Forget(box);
  steps_.push_back(box);
}

void CanvasRecord::SetPenWidth(int width) {
  target_.SetPenWidth(width);
  penWidth_ = width;
}

void CanvasRecord::SetDash(DashStyle style) {
  target_.SetDash(style);
  dash_ = style;
}

void CanvasRecord::SetForeColour(Colour colour) {
  target_.SetForeColour(colour);
  fore_ = colour;
}

void CanvasRecord::SetTextPosition(double x, double y) {
  target_.SetTextPosition(x, y);
  textX_ = x;
  textY_ = y;
}

void CanvasRecord::PrintText(std::string_view text) {
  target_.PrintText(text);
  steps_.push_back({Kind::Text, textX_, textY_, textX_ + target_.TextWidth(text),
                    textY_ + target_.TextHeight(text), fore_, penWidth_, dash_, std::string(text)});
}

// Steps that lie wholly inside the box are hidden by it for good.
void CanvasRecord::Forget(const Step& box) {
  const auto covered = [&box](const Step& s) {
    const double pad = s.kind == Kind::Line ? s.penWidth / 2.0 + 1 : 0;
    return std::min(s.x1, s.x2) - pad >= box.x1 && std::max(s.x1, s.x2) + pad <= box.x2 &&
           std::min(s.y1, s.y2) - pad >= box.y1 && std::max(s.y1, s.y2) + pad <= box.y2;
  };
  steps_.erase(std::remove_if(steps_.begin(), steps_.end(), covered), steps_.end());
}

void CanvasRecord::Replay(Canvas& canvas) const {
  canvas.Clear();
  for (const Step& s : steps_) {
    canvas.SetPenWidth(s.penWidth);
    canvas.SetDash(s.dash);
    switch (s.kind) {
      case Kind::Line:
        canvas.Line(s.x1, s.y1, s.x2, s.y2, s.colour);
        break;
      case Kind::Box:
        canvas.FilledBox(s.x1, s.y1, s.x2, s.y2, s.colour);
        break;
      case Kind::Text:
        canvas.SetForeColour(s.colour);
        canvas.SetTextPosition(s.x1, s.y1);
        canvas.PrintText(s.text);
        break;
    }
  }
}

}  // namespace orvane
