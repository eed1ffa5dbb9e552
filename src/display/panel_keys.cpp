// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/panel_keys.h"

#include <cctype>

namespace orvane {

namespace {

bool SameCaption(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

const PanelKey* FindPanelKey(std::string_view caption) {
  for (const PanelKey& k : kPanelKeys) {
    if (SameCaption(k.caption, caption)) return &k;
  }
  return nullptr;
}

const PanelKey* PanelKeyOfCode(int code) {
  for (const PanelKey& k : kPanelKeys) {
    if (k.code == code) return &k;
  }
  return nullptr;
}

KeyPress PressPanelKey(const PanelKey& key, bool longPress, bool rhLit) {
  if (longPress) {
    if (key.code != key::kSet) return {std::nullopt, kNoLongPress};
    return {key::kRead, {}};
  }
  if (key.code == key::kRef && !rhLit) return {std::nullopt, kRefNeedsRh};
  if (key.code == key::kDelta && rhLit) return {key::kDeltaRh, {}};
  return {key.code, {}};
}

}  // namespace orvane
