// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/setting_blink.h"

#include <algorithm>

namespace orvane {

namespace {

// clang-format off
constexpr BlinkRow kUnitRows[] = {
  // code state         lead        followers                           hidden
  {  1, "BlinkCdM2",  "Lblcd",   {"LblSlashm", "Lbl2"},          {"LblK1", "LblK2", "LblfL"}},
  {  3, "BlinkKCdM2", "LblK1",   {"Lblcd", "LblSlashm", "Lbl2"}, {"LblK2", "LblfL"}},
  { 16, "BlinkFL",    "LblfL",   {},                             {"Lblcd", "LblSlashm", "Lbl2", "LblK1", "LblK2"}},
  { 48, "BlinkKFL",   "LblK2",   {"LblfL"},                      {"Lblcd", "LblSlashm", "Lbl2", "LblK1"}},
};

constexpr BlinkRow kDigitRows[] = {
  // code state             lead        followers
  {  1, "BlinkSeg1",      "LblSeg1",  {}, {}},
  {  2, "BlinkSeg2",      "LblSeg2",  {}, {}},
  {  3, "BlinkSeg3",      "LblSeg3",  {}, {}},
  {  4, "BlinkSeg4",      "LblSeg4",  {}, {}},
  {  5, "BlinkSeg5",      "LblSeg5",  {}, {}},
  {  6, "BlinkSeg6",      "LblSeg6",  {}, {}},
  {  7, "BlinkSeg7",      "LblSeg7",  {}, {}},
  {  8, "BlinkSeg8",      "LblSeg8",  {}, {}},
  {  9, "BlinkSeg9",      "LblSeg9",  {}, {}},
  { 10, "BlinkSeg10",     "LblSeg10", {}, {}},
  { 11, "BlinkSeg11",     "LblSeg11", {}, {}},
  { 12, "BlinkSeg12",     "LblSeg12", {}, {}},
  { 13, "BlinkSeg13",     "LblSeg13", {}, {}},
  { 16, "BlinkSeg8To9",   "LblSeg8",  {"LblSeg9"},                          {}},
  { 32, "BlinkSeg10To11", "LblSeg10", {"LblSeg11"},                         {}},
  { 48, "BlinkSeg12To13", "LblSeg12", {"LblSeg13"},                         {}},
  { 64, "BlinkSeg11To13", "LblSeg11", {"LblSeg12", "LblSeg13"},             {}},
  { 80, "BlinkSeg10To13", "LblSeg10", {"LblSeg11", "LblSeg12", "LblSeg13"}, {}, "LblP10"},
};

constexpr BlinkRow kPointRows[] = {
  // code state         lead      followers           hidden
  {  1, "BlinkP1",    "LblP1",  {},                 {"LblP2", "LblP3", "LblP10"}},
  {  2, "BlinkP2",    "LblP2",  {},                 {"LblP1", "LblP3", "LblP10"}},
  {  3, "BlinkP3",    "LblP3",  {},                 {"LblP1", "LblP2", "LblP10"}},
  {  4, "BlinkP10",   "LblP10", {},                 {}},
  {  5, "BlinkP1To3", "LblP1",  {"LblP2", "LblP3"}, {"LblP10"}},
};

constexpr BlinkRow kSymbolRows[] = {
  // code state        lead
  {  1, "BlinkDown",  "ImgDown",  {}, {}},
  {  2, "BlinkUp",    "ImgUp",    {}, {}},
  { 16, "BlinkCycle", "LblCycle", {}, {}},
  { 32, "BlinkTH",    "LblTH",    {}, {}},
  { 64, "BlinkAMRM",  "LblAMRM",  {}, {}},
};

constexpr FlagRestore kUnitRestore[] = {
  {"LblK1", "ShowK1"}, {"Lblcd", "ShowCd"}, {"LblSlashm", "ShowSlashM"},
  {"Lbl2", "ShowSquare"}, {"LblK2", "ShowK2"}, {"LblfL", "ShowFL"},
};
constexpr FlagRestore kPointRestore[] = {
  {"LblP1", "PointP1"}, {"LblP2", "PointP2"}, {"LblP3", "PointP3"},
  {"LblP10", "PointP10"}, {"LblP11", "PointP11"}, {"LblP13", "PointP13"},
};
constexpr FlagRestore kSymbolRestore[] = {
  {"ImgDown", "AnnDown"}, {"ImgUp", "AnnUp"}, {"LblCycle", "AnnCYCLE"},
  {"LblTH", "AnnTH"}, {"LblAMRM", "AnnAMRM"},
};
// clang-format on

template <std::size_t N>
std::vector<ElementId> Resolve(const LcdModel& model,
                               const std::array<std::string_view, N>& names) {
  std::vector<ElementId> ids;
  for (auto name : names)
    if (!name.empty()) ids.push_back(model.Find(name));
  return ids;
}

}  // namespace

std::span<const BlinkRow> UnitBlinkRows() {
  return kUnitRows;
}
std::span<const BlinkRow> DigitBlinkRows() {
  return kDigitRows;
}
std::span<const BlinkRow> PointBlinkRows() {
  return kPointRows;
}
std::span<const BlinkRow> SymbolBlinkRows() {
  return kSymbolRows;
}
std::span<const FlagRestore> UnitRestore() {
  return kUnitRestore;
}
std::span<const FlagRestore> PointRestore() {
  return kPointRestore;
}
std::span<const FlagRestore> SymbolRestore() {
  return kSymbolRestore;
}

BlinkGroup::BlinkGroup(LcdModel& model, std::span<const BlinkRow> rows,
                       std::span<const FlagRestore> restore, const FlagLookup& flags)
    : model_(model) {
  for (const auto& r : rows) {
    rows_.push_back(Row{r.code, r.state, model.Find(r.lead), Resolve(model, r.followers),
                        Resolve(model, r.hidden),
                        r.copyLeadTo.empty() ? kNoElement : model.Find(r.copyLeadTo)});
  }
  for (const auto& r : restore) restore_.push_back(Restore{model.Find(r.element), flags(r.flag)});
}

void BlinkGroup::Run(Row& row) {
  bool shown = true;
  if (row.on) {
    shown = !model_.Get(row.lead).visible;
  } else {
    row.on = true;
  }
  model_.SetVisible(row.lead, shown);
  for (ElementId f : row.followers) model_.SetVisible(f, shown);
  for (ElementId h : row.hidden) model_.SetVisible(h, false);
  if (row.copyTo != kNoElement) model_.SetVisible(row.copyTo, shown);
}

int BlinkGroup::Apply(std::uint8_t code) {
  if (code == 0) {
    Clear();
    ShowFromFlags();
    return -1;
  }
  auto it =
      std::find_if(rows_.begin(), rows_.end(), [code](const Row& r) { return r.code == code; });
  if (it == rows_.end()) return -1;
  Run(*it);
  return static_cast<int>(it - rows_.begin());
}

void BlinkGroup::Clear() {
  for (auto& r : rows_) r.on = false;
}

void BlinkGroup::ShowFromFlags() {
  for (const auto& r : restore_) model_.SetVisible(r.element, r.flag != nullptr && *r.flag);
}

bool BlinkGroup::State(std::string_view name) const {
  for (const auto& r : rows_)
    if (r.state == name) return r.on;
  return false;
}

bool BlinkGroup::Blinks(int row, ElementId id) const {
  if (row < 0) return false;
  const Row& r = rows_[row];
  return r.lead == id || std::find(r.followers.begin(), r.followers.end(), id) != r.followers.end();
}

}  // namespace orvane
