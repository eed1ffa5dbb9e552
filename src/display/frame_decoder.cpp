// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/frame_decoder.h"

#include <utility>

#include "display/digit_text.h"
#include "display/lcd_layout.h"

namespace orvane {

namespace {

// Frame bytes.
constexpr int kByteDigit1 = 1, kByteDigit2 = 2, kByteDigit3 = 3, kByteDigit4 = 4;
constexpr int kBytePoint = 5, kByteMultiplier = 6, kByteUnit = 7;
constexpr int kByteSmall1 = 8;
constexpr int kByteSecond1 = 11, kByteSecond2 = 12, kByteSep1 = 13, kByteSecond3 = 14;
constexpr int kByteSecond4 = 15, kByteSep2 = 16, kByteSecond5 = 17, kByteSecond6 = 18;
constexpr int kByteSecondPoint = 19;
constexpr int kByteBattery = 60;
// Blink frame bytes.
constexpr int kBlinkUnit = 1, kBlinkDigit = 2, kBlinkPoint = 3, kBlinkSymbol = 4;

// The mode flags by the names the blink steps look them up with.
constexpr std::pair<std::string_view, bool ModeFlags::*> kModeFlagNames[] = {
    {"PointP1", &ModeFlags::PointP1},       {"PointP2", &ModeFlags::PointP2},
    {"PointP3", &ModeFlags::PointP3},       {"PointP10", &ModeFlags::PointP10},
    {"PointP11", &ModeFlags::PointP11},     {"PointP13", &ModeFlags::PointP13},
    {"ShowK1", &ModeFlags::ShowK1},         {"ShowK2", &ModeFlags::ShowK2},
    {"ShowCd", &ModeFlags::ShowCd},         {"ShowSlashM", &ModeFlags::ShowSlashM},
    {"ShowSquare", &ModeFlags::ShowSquare}, {"ShowFL", &ModeFlags::ShowFL},
};

// A mode byte sets a group of flags by table; a code outside the table leaves them.
struct UnitRow {
  bool cdM2;             // ShowCd, ShowSlashM, ShowSquare
  bool fL;               // ShowFL
  const char* unitText;  // UnitText; nullptr: unchanged
};
struct PointRow {
  bool p1, p2, p3;
};
struct MultiplierRow {
  bool k1, k2;
};
struct SecondPointRow {
  bool p10, p11, p13;
};
// clang-format off
constexpr UnitRow kUnitRows[] = {
  // value  ShowCd/SlashM/Square  ShowFL  UnitText
  /* 0 */  {false,                false,  nullptr},
  /* 1 */  {true,                 false,  "cd/m2"},
  /* 2 */  {false,                true,   "fL"},
};
constexpr PointRow kPointRows[] = {
  //       PointP1 PointP2 PointP3
  /* 0 */ {false,  false,  false},
  /* 1 */ {true,   false,  false},
  /* 2 */ {false,  true,   false},
  /* 3 */ {false,  false,  true },
  /* 4 */ {true,   true,   true },
};
constexpr MultiplierRow kMultiplierRows[] = {
  //       ShowK1 ShowK2
  /* 0 */ {false, false},
  /* 1 */ {true,  false},
  /* 2 */ {false, true },
};
constexpr SecondPointRow kSecondPointRows[] = {
  //       PointP10 PointP11 PointP13
  /* 0 */ {false,   false,   false},
  /* 1 */ {true,    false,   false},
  /* 2 */ {false,   true,    false},
  /* 3 */ {false,   false,   true },
};
// Separator byte: colon, slash.
constexpr std::array<bool, 2> kSeparatorRows[] = {
  /* 0 */ {false, false},
  /* 1 */ {true,  false},
  /* 2 */ {false, true },
};
// Battery byte 16..21: ImaS1 .. ImaS6 shown; any other code hides all six.
constexpr int kFirstBatteryCode = 16;
constexpr std::array<bool, 6> kBatteryRows[] = {
  //          ImaS1  ImaS2  ImaS3  ImaS4  ImaS5  ImaS6
  /* 16 */   {true,  false, false, false, false, false},
  /* 17 */   {true,  false, false, false, false, true },
  /* 18 */   {true,  false, false, false, true,  true },
  /* 19 */   {true,  false, false, true,  true,  true },
  /* 20 */   {true,  false, true,  true,  true,  true },
  /* 21 */   {true,  true,  true,  true,  true,  true },
};
// clang-format on

template <typename Row, std::size_t N>
const Row* RowFor(const Row (&rows)[N], int code, int first = 0) {
  const int i = code - first;
  return i >= 0 && i < static_cast<int>(N) ? &rows[i] : nullptr;
}

}  // namespace

FrameDecoder::FrameDecoder() {
  BuildModel();
  ResolveIds();
  auto lookup = [this](std::string_view name) { return FlagPointer(name); };
  unitBlink_ = std::make_unique<BlinkGroup>(model_, UnitBlinkRows(), UnitRestore(), lookup);
  digitBlink_ = std::make_unique<BlinkGroup>(model_, DigitBlinkRows(),
                                             std::span<const FlagRestore>{}, lookup);
  pointBlink_ = std::make_unique<BlinkGroup>(model_, PointBlinkRows(), PointRestore(), lookup);
  symbolBlink_ = std::make_unique<BlinkGroup>(model_, SymbolBlinkRows(), SymbolRestore(), lookup);
  caption_.reserve(8);
  readingText_.reserve(16);
}

void FrameDecoder::BuildModel() {
  for (const auto& e : LcdLayout()) model_.Add(e.name, ElementState{std::string(e.caption)});
  model_.Add("Cmdref", ElementState{"REF"});
}

void FrameDecoder::ResolveIds() {
  for (int i = 0; i < 13; ++i) seg_[i] = model_.Find("LblSeg" + std::to_string(i + 1));
  for (int i = 0; i < 6; ++i) battery_[i] = model_.Find("ImaS" + std::to_string(i + 1));
  for (int i = 0; i < kAnnunciatorCount; ++i)
    annElement_[i] = model_.Find(kAnnunciators[i].element);
  dotDot1_ = model_.Find("LblDotDot1");
  slash1_ = model_.Find("LblSlash1");
  dotDot2_ = model_.Find("LblDotDot2");
  slash2_ = model_.Find("LblSlash2");
  cmdref_ = model_.Find("Cmdref");
}

const bool* FrameDecoder::FlagPointer(std::string_view name) const {
  for (const auto& [flagName, member] : kModeFlagNames)
    if (flagName == name) return &(mode_.*member);
  const int a = AnnunciatorIndex(name);
  return a < 0 ? nullptr : &ann_[a];
}

bool FrameDecoder::Flag(std::string_view name) const {
  const bool* p = FlagPointer(name);
  return p != nullptr && *p;
}

void FrameDecoder::DecodeModeBytes(const Report& frame) {
  if (const auto* u = RowFor(kUnitRows, frame[kByteUnit])) {
    mode_.ShowCd = mode_.ShowSlashM = mode_.ShowSquare = u->cdM2;
    mode_.ShowFL = u->fL;
    if (u->unitText != nullptr) unitText_ = u->unitText;
  }
  if (const auto* p = RowFor(kPointRows, frame[kBytePoint])) {
    mode_.PointP1 = p->p1, mode_.PointP2 = p->p2, mode_.PointP3 = p->p3;
  }
  if (const auto* m = RowFor(kMultiplierRows, frame[kByteMultiplier])) {
    mode_.ShowK1 = m->k1, mode_.ShowK2 = m->k2;
  }
  if (const auto* s = RowFor(kSecondPointRows, frame[kByteSecondPoint])) {
    mode_.PointP10 = s->p10, mode_.PointP11 = s->p11, mode_.PointP13 = s->p13;
  }
}

void FrameDecoder::DecodeAnnunciators(const Report& frame) {
  for (int b = kFirstAnnunciatorByte; b <= kLastAnnunciatorByte; ++b)
    ann_[b - kFirstAnnunciatorByte] = (frame[b] & 1) != 0;
  ann_[kAnnunciatorCount - 2] = (frame[kExtraAnnunciatorByte] & 1) != 0;
  ann_[kAnnunciatorCount - 1] = ((frame[kExtraAnnunciatorByte] / 2) & 1) != 0;
}

void FrameDecoder::ShowDirectAnnunciators() {
  for (int i = 0; i < kAnnunciatorCount; ++i) {
    if (kAnnunciators[i].shownBy != ShownBy::Direct) continue;
    model_.SetVisible(annElement_[i], ann_[i]);
    if (i == kAnnRH) model_.SetEnabled(cmdref_, ann_[i]);
  }
}

void FrameDecoder::DecodeMainDigits(const Report& frame) {
  DigitText d1 = DigitTextMain(frame[kByteDigit1]);
  DigitText d2 = DigitTextSecond(frame[kByteDigit2]);
  DigitText d3 = DigitTextMain(frame[kByteDigit3]);
  DigitText d4 = DigitTextMain(frame[kByteDigit4]);
  if (d1.IsNumeral(5) && d2.IsLetter('t')) d1 = DigitText::Let('S');
  if (d3.IsLetter('t') && d4.IsNumeral(1)) d4 = DigitText::Let('I');
  if (d1.IsLetter('A') && d2.IsLetter('P') && d3.IsNumeral(0)) d3 = DigitText::Let('O');
  if (d1.IsLetter('b') && d2.IsLetter('L') && d3.IsNumeral(1) && d4.IsLetter('t'))
    d3 = DigitText::Let('I');

  const std::array<const DigitText*, 4> digits = {&d1, &d2, &d3, &d4};
  const std::array<bool, 3> pointAfter = {mode_.PointP1, mode_.PointP2, mode_.PointP3};
  readingText_.clear();
  for (int i = 0; i < 4; ++i) {
    caption_.clear();
    digits[i]->AppendTo(caption_);
    model_.SetCaption(seg_[i], caption_);
    readingText_ += caption_;
    if (i < 3 && pointAfter[i]) readingText_ += '.';
  }
}

void FrameDecoder::DecodeSmallDigits(const Report& frame) {
  auto show = [this](int cell, const DigitText& d) {
    caption_.clear();
    d.AppendTo(caption_);
    model_.SetCaption(seg_[cell - 1], caption_);
  };
  for (int i = 0; i < 3; ++i) show(5 + i, DigitTextPlain(frame[kByteSmall1 + i]));
  show(8, DigitTextLong(frame[kByteSecond1]));
  show(9, DigitTextShort(frame[kByteSecond2]));
  show(10, DigitTextShort(frame[kByteSecond3]));

  DigitText e4 = DigitTextLong(frame[kByteSecond4]);
  DigitText e5 = DigitTextLong(frame[kByteSecond5]);
  DigitText e6 = DigitTextLong(frame[kByteSecond6]);
  if (e4.IsLetter('Y') && e5.IsLetter('E') && e6.IsNumeral(5)) e6 = DigitText::Let('S');
  if (e4.IsNumeral(0) && e5.IsLetter('F') && e6.IsLetter('F')) e4 = DigitText::Let('O');
  if (e5.IsNumeral(0) && e6.IsLetter('n')) e5 = DigitText::Let('o');
  show(11, e4);
  show(12, e5);
  show(13, e6);

  if (const auto* s = RowFor(kSeparatorRows, frame[kByteSep1])) {
    model_.SetVisible(dotDot1_, (*s)[0]);
    model_.SetVisible(slash1_, (*s)[1]);
  }
  if (const auto* s = RowFor(kSeparatorRows, frame[kByteSep2])) {
    model_.SetVisible(dotDot2_, (*s)[0]);
    model_.SetVisible(slash2_, (*s)[1]);
  }
}

void FrameDecoder::ShowBattery(const Report& frame) {
  const auto* row = RowFor(kBatteryRows, frame[kByteBattery], kFirstBatteryCode);
  for (int i = 0; i < 6; ++i) model_.SetVisible(battery_[i], row != nullptr && (*row)[i]);
}

void FrameDecoder::ApplyBlink(const Report& blinkFrame) {
  unitBlink_->Apply(blinkFrame[kBlinkUnit]);
  const int digitRow = digitBlink_->Apply(blinkFrame[kBlinkDigit]);
  for (ElementId cell : seg_)
    if (!digitBlink_->Blinks(digitRow, cell)) model_.SetVisible(cell, true);
  pointBlink_->Apply(blinkFrame[kBlinkPoint]);
  symbolBlink_->Apply(blinkFrame[kBlinkSymbol]);
}

void FrameDecoder::ClearBlinkStates() {
  unitBlink_->Clear();
  digitBlink_->Clear();
  pointBlink_->Clear();
  symbolBlink_->Clear();
}

void FrameDecoder::ShowStatic() {
  unitBlink_->ShowFromFlags();
  pointBlink_->ShowFromFlags();
  symbolBlink_->ShowFromFlags();
  // Leaving the setting mode ends every blink: no digit cell stays hidden and the next
  // setting mode starts each code shown.
  for (ElementId cell : seg_) model_.SetVisible(cell, true);
  ClearBlinkStates();
}

bool FrameDecoder::BlinkState(std::string_view name) const {
  return unitBlink_->State(name) || digitBlink_->State(name) || pointBlink_->State(name) ||
         symbolBlink_->State(name);
}

std::vector<std::string_view> FrameDecoder::LitAnnunciators() const {
  std::vector<std::string_view> lit;
  for (int i = 0; i < kAnnunciatorCount; ++i)
    if (ann_[i]) lit.push_back(kAnnunciators[i].flag);
  return lit;
}

void FrameDecoder::DecodeFrame(const Report& frame) {
  DecodeModeBytes(frame);
  DecodeAnnunciators(frame);
  ShowDirectAnnunciators();
  DecodeMainDigits(frame);
  DecodeSmallDigits(frame);
  ShowBattery(frame);
  ++framesDecoded_;
  if (!SetLit()) ShowStatic();
}

void FrameDecoder::DecodeBlinkFrame(const Report& blinkFrame) {
  if (SetLit()) ApplyBlink(blinkFrame);
}

}  // namespace orvane
