#pragma once
// Turns the meter's display frame and blink frame into the LCD model and the flags that
// the rest of the program reads (annunciators, UnitText, ReadingText). The poll cycle
// calls the steps in its fixed order.

#include <string>

#include "display/lcd_model.h"
#include "link/report.h"

namespace orvane {

class FrameDecoder {
 public:
  FrameDecoder();

  // Steps of one poll tick, in the order the poll calls them.
  void DecodeModeBytes(const Report& frame);     // unit, point, multiplier, 2nd point
  void DecodeAnnunciators(const Report& frame);  // bytes 20..59 and 64
  void ShowDirectAnnunciators();                 // and Cmdref enabled as R-H
  void DecodeMainDigits(const Report& frame);    // LblSeg1..4, ReadingText
  void DecodeSmallDigits(const Report& frame);   // LblSeg5..13, separators
  void ShowBattery(const Report& frame);         // byte 60
  void ApplyBlink(const Report& blinkFrame);     // "SET" lit: the blink step
  void ShowStatic();                             // "SET" dark: points, units, symbols

  bool SetLit() const { return annSet_; }
  bool RhLit() const { return annRh_; }
  bool KLit() const { return showK1_ || showK2_; }
  const std::string& UnitText() const { return unitText_; }
  const std::string& ReadingText() const { return readingText_; }

  LcdModel& Model() { return model_; }
  const LcdModel& Model() const { return model_; }

 private:
  LcdModel model_;
  bool annSet_ = false;
  bool annRh_ = false;
  bool showK1_ = false;
  bool showK2_ = false;
  std::string unitText_;
  std::string readingText_;
};

}  // namespace orvane
