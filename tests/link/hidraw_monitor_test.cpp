// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/hidraw_monitor.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

// With a monitor the list is enumerated again only on an event or after the cache time;
// without one every look enumerates.
TEST(HidrawMonitor, EnumeratesOnlyWhenTheListMayHaveChanged) {
  HidrawMonitor monitor;
  EXPECT_TRUE(monitor.MayHaveChanged(1000));
  if (!monitor.Available()) {
    EXPECT_TRUE(monitor.MayHaveChanged(1001));
    GTEST_SKIP() << "no udev netlink monitor here";
  }
  EXPECT_FALSE(monitor.MayHaveChanged(1250));
  EXPECT_FALSE(monitor.MayHaveChanged(1000 + HidrawMonitor::kMaxCacheMs - 1));
  EXPECT_TRUE(monitor.MayHaveChanged(1000 + HidrawMonitor::kMaxCacheMs));
}

}  // namespace
}  // namespace orvane
