// The DSLR series: what it reports on each heartbeat and when the shutter
// line is asserted.
#include "telescope/dslr_series.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "protocol_bench.h"

namespace celvaro {
namespace {

using testing::RecordingListener;
using testing::RecordingSender;
using Reports = std::vector<std::array<int, 4>>;

class DslrSeriesTest : public ::testing::Test {
 protected:
  // Heartbeats until the series reports 72 or `most` have passed; the
  // shutter state (1 open) after each.
  std::vector<int> run(int most) {
    std::vector<int> shutter;
    for (int beat = 0; beat < most && !finished(); ++beat) {
      series.heartbeat();
      shutter.push_back(open());
    }
    return shutter;
  }
  bool finished() const { return !listener.series.empty() && listener.series.back()[0] == DslrSeries::kFinished; }
  int open() const { return !sender.controlLines.empty() && sender.controlLines.back() == DslrSeries::kShutterOpen; }

  RecordingSender sender;
  RecordingListener listener;
  DslrSeries series{sender, listener};
};

TEST_F(DslrSeriesTest, TwoFramesOfTwoSecondsWithAPauseOfTwo) {
  series.start(2, 2, 2);
  EXPECT_TRUE(open());
  EXPECT_EQ(run(10), (std::vector<int>{1, 0, 0, 1, 1, 0}));
  EXPECT_EQ(sender.controlLines, (std::vector<int>{2, 0, 2, 0}));
  EXPECT_EQ(listener.series, (Reports{{59, 2, 2, 0}, {3, 2, 1, 0}, {5, 1, 0, 2}, {5, 1, 0, 1}, {3, 1, 2, 0},
                                      {3, 1, 1, 0}, {72, 0, 0, 0}}));
  series.heartbeat();  // a finished series does nothing more
  EXPECT_EQ(listener.series.size(), 7u);
}

TEST_F(DslrSeriesTest, StopClosesTheShutterAndEndsTheSeries) {
  series.start(5, 10, 3);
  series.heartbeat();
  series.stop();
  EXPECT_FALSE(open());
  EXPECT_EQ(listener.series.back(), (std::array<int, 4>{40, 0, 0, 0}));
  series.heartbeat();
  EXPECT_EQ(listener.series.size(), 3u);
}

// Without exposure time the shutter would stay open for good; without a
// pause the series would stall after its first frame.
TEST_F(DslrSeriesTest, NoExposureFinishesAtOnceAndNoPauseLastsOneHeartbeat) {
  series.start(3, 0, 2);
  EXPECT_FALSE(open());
  EXPECT_EQ(listener.series, (Reports{{72, 0, 0, 0}}));
  listener.series.clear();
  series.start(2, 1, 0);
  EXPECT_EQ(run(10), (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(listener.series, (Reports{{59, 2, 1, 0}, {5, 1, 0, 1}, {3, 1, 1, 0}, {72, 0, 0, 0}}));
}

}  // namespace
}  // namespace celvaro
