// A download on one thread and key emulation on another share the report buffer: every report
// that reaches the transport must be exactly one sender's report. Run natively under
// ThreadSanitizer (preset native-tsan) as well.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "device/DownloadRig.h"

namespace pyxom::device {
namespace {

using test::Bytes;

TEST(DownloadConcurrency, DownloadAndKeyEmulationNeverMixReports) {
  test::Rig rig(0, {1, 2, 3});
  rig.load({{1, 6, 0x203}, 1, {3, 5, 6, 8}, {1, 1, 0, 1}, 2, 5, 2, 50});
  constexpr int kDownloads = 150;
  constexpr int kPresses = 1500;

  std::atomic<bool> done{false};
  std::thread downloads([&] {
    for (int i = 0; i < kDownloads; ++i) downloadConfiguration(rig.context());
    done = true;
  });
  std::thread keys([&] {
    for (int i = 0; i < kPresses; ++i) {
      rig.protocol.pressKey(0x04, 1);
      rig.protocol.pressKey(0xF0, 1);
      rig.protocol.sendConsumer(0xE9);
      rig.protocol.releaseKey(0xF0);
      rig.protocol.releaseKey(0x04);
    }
  });
  // An action thread reading the tables meanwhile.
  std::thread reader([&] {
    while (!done) {
      const MacroBlock block = rig.tables.copyButtonBlock(2);
      EXPECT_TRUE(block == MacroBlock{} || block == test::TaggingMacroSource::tagged(0x203, 1));
      (void)static_cast<bool>(rig.tables.dpiReportFlag[1]);
      (void)static_cast<std::uint8_t>(rig.tables.dpiCodes[3]);
    }
  });
  downloads.join();
  keys.join();
  reader.join();

  const std::set<Bytes> downloadReports = {
      {7, 0x10, 1, 1}, {7, 0x10, 2, 6}, {7, 0x10, 3, 0}, {7, 0x12, 0, 3}, {7, 0x13, 0x7F, 0x16},
      {7, 0x11, 0, 0}, {7, 0x09, 0x01, 0x48}, {7, 0x09, 0x01, 0x69}, {7, 0x09, 0x01, 0x8A},
      {7, 0x09, 0x01, 0xCB}};
  int fromDownload = 0;
  int fromKeys = 0;
  for (const Bytes& r : rig.transport.reports()) {
    ASSERT_EQ(r.size(), 8u);
    const Bytes head(r.begin(), r.begin() + 4);
    switch (r[1]) {
      case 0x15: {
        const Bytes slots(r.begin() + 2, r.end());
        EXPECT_TRUE(slots == Bytes(6, 0) || slots == (Bytes{4, 0, 0, 0, 0, 0})) << test::hexLine(r);
        ++fromKeys;
        break;
      }
      case 0x16:
        EXPECT_TRUE(r[0] == 7 && (r[3] == 0xFE || r[3] == 0xFF)) << test::hexLine(r);
        ++fromKeys;
        break;
      case 0x17:
        EXPECT_EQ(head, (Bytes{7, 0x17, 0, 0xE9})) << test::hexLine(r);
        ++fromKeys;
        break;
      default:
        EXPECT_EQ(downloadReports.count(head), 1u) << test::hexLine(r);
        if (r[1] == 0x09) {
          EXPECT_EQ(r[4], 0x0B) << test::hexLine(r);
        }
        if (r[1] == 0x12) {
          EXPECT_EQ(r[4] | r[5], 0) << test::hexLine(r);
        }
        ++fromDownload;
    }
  }
  EXPECT_EQ(fromDownload, kDownloads * 10);
  EXPECT_EQ(fromKeys, kPresses * 5);
}

}  // namespace
}  // namespace pyxom::device
