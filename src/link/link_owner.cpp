// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/link_owner.h"

namespace orvane {

LinkHold::LinkHold(LinkHold&& other) noexcept : owner_(other.owner_) {
  other.owner_ = nullptr;
}

LinkHold::~LinkHold() {
  if (owner_ != nullptr) --owner_->holds_;
}

std::optional<LinkHold> LinkOwner::TryTake(const std::string& what) {
  if (holds_ > 0) {
    ++refusals_;
    lastRefused_ = what;
    return std::nullopt;
  }
  ++holds_;
  return LinkHold(*this);
}

}  // namespace orvane
