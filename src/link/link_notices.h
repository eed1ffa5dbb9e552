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

}  // namespace orvane
