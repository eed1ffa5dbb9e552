// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns the meter's display frame and blink frame into the LCD model and the flags that
// the rest of the program reads (annunciators, UnitText, ReadingText). The poll cycle
// calls the steps in its fixed order.

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "display/annunciators.h"
#include "display/lcd_model.h"
#include "display/setting_blink.h"
#include "link/report.h"

namespace orvane {

// The unit, multiplier and point flags, set from the display frame's mode bytes and kept
// from tick to tick.
struct ModeFlags {
  bool PointP1 = false, PointP2 = false, PointP3 = false;     // points of the main digits
  bool PointP10 = false, PointP11 = false, PointP13 = false;  // points of the small digits
  bool ShowK1 = false, ShowK2 = false;
  bool ShowCd = false, ShowSlashM = false, ShowSquare = false, ShowFL = false;
};

class FrameDecoder {
 public:
  // Fills the model with every LCD element's design-time state and the key Cmdref.
  FrameDecoder();
  FrameDecoder(const FrameDecoder&) = delete;
  FrameDecoder& operator=(const FrameDecoder&) = delete;

  // One display frame (the reply to request 98), whole: units, points, symbols, digits,
  // battery; with "SET" dark also the points, units and symbols it shows steadily. The
  // frame is counted.
  void DecodeFrame(const Report& frame);
  // The blink frame (the reply to request 99) that follows a frame lighting "SET".
  void DecodeBlinkFrame(const Report& blinkFrame);

  bool SetLit() const { return ann_[kAnnSET]; }
  bool RhLit() const { return ann_[kAnnRH]; }
  bool KLit() const { return mode_.ShowK1 || mode_.ShowK2; }
  const std::string& UnitText() const { return unitText_; }
  const std::string& ReadingText() const { return readingText_; }

  // An annunciator flag ("AnnREC") or a unit/point flag ("PointP1") by name; false for
  // an unknown name.
  bool Flag(std::string_view name) const;
  bool Annunciator(int index) const { return ann_[index]; }
  // Names of the lit annunciators, in byte order.
  std::vector<std::string_view> LitAnnunciators() const;
  // A blink state ("BlinkCdM2", "BlinkSeg10To13", ...) by name.
  bool BlinkState(std::string_view name) const;

  LcdModel& Model() { return model_; }
  const LcdModel& Model() const { return model_; }

  // Display frames decoded so far.
  std::uint64_t FramesDecoded() const { return framesDecoded_; }

 private:
  // The steps of DecodeFrame, in their order.
  void DecodeModeBytes(const Report& frame);     // unit, point, multiplier, 2nd point
  void DecodeAnnunciators(const Report& frame);  // bytes 20..59 and 64
  void ShowDirectAnnunciators();                 // and Cmdref enabled as R-H
  void DecodeMainDigits(const Report& frame);    // LblSeg1..4, ReadingText
  void DecodeSmallDigits(const Report& frame);   // LblSeg5..13, separators
  void ShowBattery(const Report& frame);         // byte 60
  void ShowStatic();                             // "SET" dark: points, units, symbols
  void ApplyBlink(const Report& blinkFrame);     // "SET" lit: the blink step

  std::uint64_t framesDecoded_ = 0;
  const bool* FlagPointer(std::string_view name) const;
  void BuildModel();
  void ResolveIds();
  void ClearBlinkStates();

  LcdModel model_;
  std::array<bool, kAnnunciatorCount> ann_{};
  ModeFlags mode_;
  std::string unitText_;
  std::string readingText_;
  std::string caption_;  // scratch, reused every tick

  std::array<ElementId, 13> seg_{};
  std::array<ElementId, kAnnunciatorCount> annElement_{};
  std::array<ElementId, 6> battery_{};
  ElementId dotDot1_ = kNoElement, slash1_ = kNoElement;
  ElementId dotDot2_ = kNoElement, slash2_ = kNoElement;
  ElementId cmdref_ = kNoElement;
  std::unique_ptr<BlinkGroup> unitBlink_, digitBlink_, pointBlink_, symbolBlink_;
};

}  // namespace orvane
