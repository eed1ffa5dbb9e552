// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One owner of the meter link at a time. The poll owns the link whenever nobody else
// does; a command that talks to the meter takes it for as long as it talks (and only
// then: never while a dialog waits for the user) and gives it back when its hold ends.
// While the link is held, every other command that would use it is refused before it
// sends anything, and the poll skips its ticks; it runs again as soon as the last hold
// ends, without a timer being stopped or started by hand.

#include <optional>
#include <string>

namespace orvane {

class LinkOwner;

// A hold on the link; it lets go when it goes out of scope. Movable, not copyable.
class LinkHold {
 public:
  LinkHold(LinkHold&& other) noexcept;
  LinkHold& operator=(LinkHold&&) = delete;
  LinkHold(const LinkHold&) = delete;
  LinkHold& operator=(const LinkHold&) = delete;
  ~LinkHold();

 private:
  friend class LinkOwner;
  explicit LinkHold(LinkOwner& owner) : owner_(&owner) {}
  LinkOwner* owner_;
};

class LinkOwner {
 public:
  // The text a refused command shows in the panel's status line.
  static constexpr const char* kBusyText = "Meter busy";

  // A hold for the command `what`, or nothing when the link is held already (then
  // Refusals() counts one more and LastRefused() names `what`).
  std::optional<LinkHold> TryTake(const std::string& what);
  // True while anybody holds the link: the poll does not run.
  bool Held() const { return holds_ > 0; }
  int Refusals() const { return refusals_; }
  const std::string& LastRefused() const { return lastRefused_; }

 private:
  friend class LinkHold;
  int holds_ = 0;
  int refusals_ = 0;
  std::string lastRefused_;
};

}  // namespace orvane
