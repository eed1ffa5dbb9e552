#include <gtest/gtest.h>
#include "link/requests.h"
TEST(Requests, TwoByteParametersGoOutBigEndian) {
  orvane::Report r{};
  orvane::StoreWord(r, 3, 3600);
  EXPECT_EQ(r[3], 14);
  EXPECT_EQ(r[4], 16);
}
