// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Blinking in the meter's setting mode. The blink frame names, per group (unit, digit,
// decimal point, symbol), the code of the item that blinks. Each code has a lead element
// that toggles on every tick, followers that copy the lead, and elements it hides. Each
// code keeps its own state: it starts blinking shown and continues from the lead's
// current visibility when it returns without a 0 in between.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "display/lcd_model.h"

namespace orvane {

struct BlinkRow {
  std::uint8_t code;
  std::string_view state;  // name of the code's blink state
  std::string_view lead;
  std::array<std::string_view, 3> followers;
  std::array<std::string_view, 5> hidden;
  std::string_view copyLeadTo = {};  // set to the lead's visibility after the rule
};

// An element shown from a stored flag (code 0 of a group, and the display with "SET" dark).
struct FlagRestore {
  std::string_view element;
  std::string_view flag;
};

std::span<const BlinkRow> UnitBlinkRows();
std::span<const BlinkRow> DigitBlinkRows();
std::span<const BlinkRow> PointBlinkRows();
std::span<const BlinkRow> SymbolBlinkRows();
std::span<const FlagRestore> UnitRestore();
std::span<const FlagRestore> PointRestore();
std::span<const FlagRestore> SymbolRestore();

// One group's rows and states, bound to a model. Names are resolved once.
class BlinkGroup {
 public:
  using FlagLookup = std::function<const bool*(std::string_view)>;

  BlinkGroup(LcdModel& model, std::span<const BlinkRow> rows, std::span<const FlagRestore> restore,
             const FlagLookup& flags);

  // Applies one code. Returns the index of the row that ran, or -1 for 0 and for codes
  // outside the table (which change nothing).
  int Apply(std::uint8_t code);
  // Clears every state of the group.
  void Clear();
  // Shows the group's elements from their flags.
  void ShowFromFlags();

  bool State(std::string_view name) const;
  // Lead and followers of a row.
  bool Blinks(int row, ElementId id) const;

 private:
  struct Row {
    std::uint8_t code;
    std::string_view state;
    ElementId lead;
    std::vector<ElementId> followers;
    std::vector<ElementId> hidden;
    ElementId copyTo;
    bool on = false;
  };
  struct Restore {
    ElementId element;
    const bool* flag;
  };
  void Run(Row& row);

  LcdModel& model_;
  std::vector<Row> rows_;
  std::vector<Restore> restore_;
};

}  // namespace orvane
