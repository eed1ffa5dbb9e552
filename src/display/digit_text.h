// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One decoded digit cell of the meter's LCD: a numeral (the code itself), a single
// letter, or nothing. Numerals and letters are kept apart so that a rewrite asking for
// "the numeral 0" never matches the letter "O" and the other way round.

#include <cstdint>
#include <string>

namespace orvane {

struct DigitText {
  enum class Kind : std::uint8_t { Empty, Numeral, Letter };
  Kind kind = Kind::Empty;
  int numeral = 0;  // valid when kind == Numeral (0..255 for the plain cells)
  char letter = 0;  // valid when kind == Letter

  static DigitText Num(int n) { return {Kind::Numeral, n, 0}; }
  static DigitText Let(char c) { return {Kind::Letter, 0, c}; }

  bool IsNumeral(int n) const { return kind == Kind::Numeral && numeral == n; }
  bool IsLetter(char c) const { return kind == Kind::Letter && letter == c; }
  // The caption of the cell: a numeral as its decimal text, a letter, or "".
  std::string Text() const;
  void AppendTo(std::string& out) const;
};

// The meter sends one code per digit cell. Each cell uses one of five tables.
DigitText DigitTextPlain(std::uint8_t code);   // small digits: every code but 10 as a number
DigitText DigitTextMain(std::uint8_t code);    // main digits 1, 3, 4
DigitText DigitTextSecond(std::uint8_t code);  // main digit 2
DigitText DigitTextShort(std::uint8_t code);   // secondary digits 2 and 3
DigitText DigitTextLong(std::uint8_t code);    // secondary digits 1, 4, 5, 6

}  // namespace orvane
