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

// The unit, multiplier and point flags kept from tick to tick, by name.
inline constexpr std::array<std::string_view, 12> kModeFlagNames = {
    "PointP1", "PointP2", "PointP3", "PointP10",   "PointP11",   "PointP13",
    "ShowK1",  "ShowK2",  "ShowCd",  "ShowSlashM", "ShowSquare", "ShowFL"};

consteval int ModeFlagIndex(std::string_view name) {
  for (std::size_t i = 0; i < kModeFlagNames.size(); ++i)
    if (kModeFlagNames[i] == name) return static_cast<int>(i);
  throw "unknown mode flag";
}

static_assert(ModeFlagIndex("PointP2") == ModeFlagIndex("PointP1") + 1 &&
              ModeFlagIndex("PointP3") == ModeFlagIndex("PointP1") + 2 &&
              ModeFlagIndex("PointP11") == ModeFlagIndex("PointP10") + 1 &&
              ModeFlagIndex("PointP13") == ModeFlagIndex("PointP10") + 2 &&
              ModeFlagIndex("ShowK2") == ModeFlagIndex("ShowK1") + 1);

class FrameDecoder {
 public:
  // Fills the model with every LCD element's design-time state and the key Cmdref.
  FrameDecoder();
  FrameDecoder(const FrameDecoder&) = delete;
  FrameDecoder& operator=(const FrameDecoder&) = delete;

  // Steps of one poll tick, in the order the poll calls them.
  void DecodeModeBytes(const Report& frame);     // unit, point, multiplier, 2nd point
  void DecodeAnnunciators(const Report& frame);  // bytes 20..59 and 64
  void ShowDirectAnnunciators();                 // and Cmdref enabled as R-H
  void DecodeMainDigits(const Report& frame);    // LblSeg1..4, ReadingText
  void DecodeSmallDigits(const Report& frame);   // LblSeg5..13, separators
  void ShowBattery(const Report& frame);         // byte 60
  void ApplyBlink(const Report& blinkFrame);     // "SET" lit: the blink step
  void ShowStatic();                             // "SET" dark: points, units, symbols

  bool SetLit() const { return ann_[kAnnSET]; }
  bool RhLit() const { return ann_[kAnnRH]; }
  bool KLit() const { return mode_[ModeFlagIndex("ShowK1")] || mode_[ModeFlagIndex("ShowK2")]; }
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

  // Display frames decoded so far: the poll counts each frame once it is decoded.
  std::uint64_t FramesDecoded() const { return framesDecoded_; }
  void CountFrame() { ++framesDecoded_; }

 private:
  std::uint64_t framesDecoded_ = 0;
  const bool* FlagPointer(std::string_view name) const;
  void BuildModel();
  void ResolveIds();
  void ClearBlinkStates();

  LcdModel model_;
  std::array<bool, kAnnunciatorCount> ann_{};
  std::array<bool, kModeFlagNames.size()> mode_{};
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
