// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/digit_text.h"

#include <array>

namespace orvane {

namespace {

// Letters of the codes 11 to 22; '\0' is an empty cell. Codes 0..9 are numerals in every
// table, code 10 is empty in every table, codes 23..255 are empty in these four tables.
struct LetterRow {
  std::uint8_t code;
  char main;
  char second;
  char shortCell;
  char longCell;
};

// clang-format off
constexpr std::array<LetterRow, 12> kLetters = {{
  // code  Main   Second  Short  Long
  {  11,   'A',   't',    '-',   'F' },
  {  12,   'C',   'E',    'o',   'n' },
  {  13,   't',   'P',    'C',   'Y' },
  {  14,   'r',   'L',    'F',   'E' },
  {  15,   'b',   'F',    '\0',  'N' },
  {  16,   'E',   'A',    '\0',  'o' },
  {  17,   'N',   '\0',   '\0',  'C' },
  {  18,   'D',   '\0',   '\0',  'A' },
  {  19,   'L',   '\0',   '\0',  'r' },
  {  20,   '\0',  '\0',   '\0',  'd' },
  {  21,   '\0',  '\0',   '\0',  'u' },
  {  22,   '\0',  '\0',   '\0',  'L' },
}};
// clang-format on

constexpr std::uint8_t kBlankCode = 10;
constexpr std::uint8_t kFirstLetterCode = 11;

constexpr bool RowsAreConsecutive() {
  for (std::size_t i = 0; i < kLetters.size(); ++i)
    if (kLetters[i].code != kFirstLetterCode + i) return false;
  return true;
}
static_assert(RowsAreConsecutive(), "one row per code, from 11 up");

template <char LetterRow::*Column>
DigitText FromTable(std::uint8_t code) {
  if (code < kBlankCode) return DigitText::Num(code);
  if (code < kFirstLetterCode || code >= kFirstLetterCode + kLetters.size()) return {};
  const char c = kLetters[code - kFirstLetterCode].*Column;
  return c == '\0' ? DigitText{} : DigitText::Let(c);
}

}  // namespace

void DigitText::AppendTo(std::string& out) const {
  if (kind == Kind::Letter) {
    out.push_back(letter);
  } else if (kind == Kind::Numeral) {
    if (numeral >= 100) out.push_back(static_cast<char>('0' + numeral / 100));
    if (numeral >= 10) out.push_back(static_cast<char>('0' + numeral / 10 % 10));
    out.push_back(static_cast<char>('0' + numeral % 10));
  }
}

std::string DigitText::Text() const {
  std::string s;
  AppendTo(s);
  return s;
}

DigitText DigitTextPlain(std::uint8_t code) {
  return code == kBlankCode ? DigitText{} : DigitText::Num(code);
}
DigitText DigitTextMain(std::uint8_t code) {
  return FromTable<&LetterRow::main>(code);
}
DigitText DigitTextSecond(std::uint8_t code) {
  return FromTable<&LetterRow::second>(code);
}
DigitText DigitTextShort(std::uint8_t code) {
  return FromTable<&LetterRow::shortCell>(code);
}
DigitText DigitTextLong(std::uint8_t code) {
  return FromTable<&LetterRow::longCell>(code);
}

}  // namespace orvane
