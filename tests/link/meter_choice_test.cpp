// SPDX-License-Identifier: GPL-3.0-or-later
// Which meter the link takes among several with the same ids.

#include "link/meter_choice.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(MeterChoice, PathOrSerialPicksOneOfTwoMetersAndNeitherIsAmbiguous) {
  const MeterIds ids;
  const std::vector<HidDeviceInfo> present = {
      {"/dev/hidraw0", 0x046d, 0xc52b, "Receiver", "R1", 2},
      {"/dev/hidraw1", ids.vendorId, ids.productId, "Meter", "A1", 0},
      {"/dev/hidraw2", ids.vendorId, ids.productId, "Meter", "", 0},
  };
  struct Case {
    std::string path, serial;
    std::vector<std::string> chosen;
    bool ambiguous;
  };
  const Case cases[] = {
      {"", "", {"/dev/hidraw1", "/dev/hidraw2"}, true},
      {"", "A1", {"/dev/hidraw1"}, false},
      {"/dev/hidraw2", "", {"/dev/hidraw2"}, false},
      {"/dev/hidraw0", "", {}, false},  // not a meter
      {"", "R1", {}, false},
      {"", "B7", {}, false},
  };
  for (const Case& c : cases) {
    MeterIds choice = ids;
    choice.devicePath = c.path;
    choice.serial = c.serial;
    std::vector<std::string> paths;
    for (const HidDeviceInfo& d : ChosenMeters(present, choice)) paths.push_back(d.path);
    EXPECT_EQ(paths, c.chosen) << c.path << c.serial;
    EXPECT_EQ(AmbiguousMeters(present, choice).has_value(), c.ambiguous) << c.path << c.serial;
  }
  EXPECT_EQ(*AmbiguousMeters(present, ids),
            "2 meters are attached: /dev/hidraw1 (serial A1), /dev/hidraw2; choose one with "
            "--serial or --device");
  EXPECT_EQ(MeterName(present[1]), "A1");
  EXPECT_EQ(MeterName(present[2]), "/dev/hidraw2");
}

}  // namespace
}  // namespace orvane
