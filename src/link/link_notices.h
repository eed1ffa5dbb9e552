// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the link shows its two notices without knowing any window: the caption of the
// panel's name label and the error line of the panel's hidden results list.

#include <string_view>

namespace orvane {

class LinkNotices {
 public:
  virtual ~LinkNotices() = default;
  virtual void SetNameCaption(std::string_view caption) = 0;
  virtual void AppendResultLine(std::string_view line) = 0;
  // Why the meter that is attached cannot be used, for the panel's status; empty when
  // there is nothing to say. Told after every discovery.
  virtual void SetLinkHint(std::string_view hint) { (void)hint; }
};

// Notices that go nowhere: for the command-line tool and for tests that do not look.
class SilentNotices final : public LinkNotices {
 public:
  void SetNameCaption(std::string_view) override {}
  void AppendResultLine(std::string_view) override {}
};

inline constexpr std::string_view kCaptionFound = "LIGHT METER";
inline constexpr std::string_view kCaptionNoConnection = " No Connection";
inline constexpr std::string_view kReadFailedLine = "Readfile undefined error";
inline constexpr std::string_view kHintNoPermission =
    "The meter is attached but cannot be opened: no permission. Install the udev rule "
    "(sudo cmake --install build, see the README) and replug the meter.";

}  // namespace orvane
