#include "device/ReportProtocol.h"

#include <gtest/gtest.h>

#include <functional>

#include "device/RecordingHidTransport.h"

namespace pyxom::device {
namespace {

using test::Bytes;

constexpr platform::HidHandle kWrite = 42;

struct Fixture {
  test::EventLog log;
  test::RecordingHidTransport transport{&log};
  test::RecordingClock clock{&log};
  ReportProtocol protocol;
  explicit Fixture(std::size_t length = 8, platform::HidHandle handle = kWrite)
      : protocol(transport, handle, length, clock) {}
  Bytes last() const { return transport.reports().back(); }
};

// Each configuration report, built on a fresh buffer (so untouched bytes are 0).
struct ReportCase {
  const char* name;
  std::function<void(ReportProtocol&)> send;
  Bytes expected;
};

TEST(ReportProtocol, ConfigurationReportBytes) {
  const std::vector<ReportCase> cases = {
      {"button function", [](auto& p) { p.sendButtonFunction(3, 0x1F); }, {7, 0x10, 3, 0x1F, 0, 0, 0, 0}},
      // Code 17 for level 2 on model 1 while level 1 is current.
      {"dpi level code 17", [](auto& p) { p.sendDpiLevel(2, 17, 1, 0x0B); }, {7, 0x09, 0x41, 0x1A, 0x0B, 0, 0, 0}},
      {"dpi level code 15 level 3", [](auto& p) { p.sendDpiLevel(3, 15, 3, 0x0F); }, {7, 0x09, 0x03, 0xFB, 0x0F, 0, 0, 0}},
      // Current level 1 with code 8 and LED mode 2 wraps to 0x02 in byte 3.
      {"dpi current model 2", [](auto& p) { p.sendDpiCurrent(1, 8, 2); }, {7, 0x09, 0x01, 0x02, 0, 0, 0, 0}},
      {"dpi current code 13 led 3", [](auto& p) { p.sendDpiCurrent(3, 13, 3); }, {7, 0x09, 0x03, 0x53, 0, 0, 0, 0}},
      {"led mode 0", [](auto& p) { p.sendLed(0); }, {7, 0x13, 0x7F, 0x10, 0, 0, 0, 0}},
      {"led mode 1", [](auto& p) { p.sendLed(1); }, {7, 0x13, 0x7F, 0x13, 0, 0, 0, 0}},
      {"led mode 2", [](auto& p) { p.sendLed(2); }, {7, 0x13, 0x7F, 0x16, 0, 0, 0, 0}},
      {"led mode 3", [](auto& p) { p.sendLed(3); }, {7, 0x13, 0x7F, 0x17, 0, 0, 0, 0}},
      {"led mode beyond 3 sends mode 0", [](auto& p) { p.sendLed(9); }, {7, 0x13, 0x7F, 0x10, 0, 0, 0, 0}},
      // The first report ever still carries report id 7.
      {"report 0x11 first", [](auto& p) { p.sendReport11(); }, {7, 0x11, 0, 0, 0, 0, 0, 0}},
      {"fire 50 model 0", [](auto& p) { p.sendFireInterval(0, 50); }, {7, 0x12, 0x00, 0x03, 0, 0, 0, 0}},
      {"fire 300 model 1", [](auto& p) { p.sendFireInterval(1, 300); }, {7, 0x12, 0x00, 0x12, 0, 0, 0, 0}},
      {"fire 5000 model 1", [](auto& p) { p.sendFireInterval(1, 5000); }, {7, 0x12, 0x01, 0x38, 0, 0, 0, 0}},
      {"fire 50 model 2", [](auto& p) { p.sendFireInterval(2, 50); }, {7, 0x12, 0x06, 0x00, 0, 0, 0, 0}},
      {"fire 8 model 2", [](auto& p) { p.sendFireInterval(2, 8); }, {7, 0x12, 0x01, 0x00, 0, 0, 0, 0}},
      {"consumer", [](auto& p) { p.sendConsumer(0x223); }, {7, 0x17, 0x02, 0x23, 0, 0, 0, 0}},
      {"exit", [](auto& p) { p.sendExitReport(); }, {7, 0x20, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    Fixture f;
    c.send(f.protocol);
    ASSERT_EQ(f.transport.reports().size(), 1u) << c.name;
    EXPECT_EQ(f.last(), c.expected) << c.name;
    EXPECT_EQ(f.transport.handles().back(), kWrite) << c.name;
  }
}

TEST(ReportProtocol, UnwrittenBytesKeepEarlierValues) {
  Fixture f;
  f.protocol.sendFireInterval(0, 0x7FFF0);  // bytes 2..5 = 07 FF 00 00
  f.protocol.sendDpiLevel(0, 1, 0, 0x0F);   // bytes 2..4
  EXPECT_EQ(f.last(), (Bytes{7, 0x09, 0x00, 0x18, 0x0F, 0, 0, 0}));
  f.protocol.pressKey(0x04, 1);
  f.protocol.pressKey(0x05, 1);
  f.protocol.sendLed(1);  // keeps bytes 4..7 of the key report
  EXPECT_EQ(f.last(), (Bytes{7, 0x13, 0x7F, 0x13, 0, 0, 0, 0}));
  f.protocol.sendDpiCurrent(2, 6, 1);  // model 2: leaves byte 4 alone
  f.protocol.sendConsumer(0xE9);
  EXPECT_EQ(f.last(), (Bytes{7, 0x17, 0x00, 0xE9, 0, 0, 0, 0}));
  // The button emulation report carries in byte 2 what the previous report left there.
  f.protocol.pressKey(0xF1, 1);
  EXPECT_EQ(f.last(), (Bytes{7, 0x16, 0x00, 0xFD, 0, 0, 0, 0}));
  f.protocol.sendButtonFunction(9, 0x55);
  f.protocol.pressKey(0xF1, 2);
  EXPECT_EQ(f.last(), (Bytes{7, 0x16, 9, 0xFF, 0, 0, 0, 0}));
}

TEST(ReportProtocol, KeySlotsFillShiftAndDrop) {
  Fixture f;
  for (std::uint8_t u = 4; u <= 10; ++u) f.protocol.pressKey(u, 1);  // the seventh is dropped
  EXPECT_EQ(f.last(), (Bytes{7, 0x15, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(f.transport.reports().size(), 7u);  // a dropped press is still sent

  // Releasing a key that is not held clears slot 5.
  f.protocol.releaseKey(0x30);
  EXPECT_EQ(f.last(), (Bytes{7, 0x15, 4, 5, 6, 7, 8, 0}));

  // Releasing the key in slot 2 of five held keys shifts slots 3 and 4 down.
  f.protocol.releaseKey(6);
  EXPECT_EQ(f.last(), (Bytes{7, 0x15, 4, 5, 7, 8, 0, 0}));
  EXPECT_EQ(f.protocol.keySlots(), (std::array<std::uint8_t, 6>{4, 5, 7, 8, 0, 0}));

  // A press fills the first empty slot; a repeated usage takes a second slot and is released
  // one slot at a time.
  f.protocol.releaseKey(4);
  f.protocol.pressKey(7, 1);
  EXPECT_EQ(f.last(), (Bytes{7, 0x15, 5, 7, 8, 7, 0, 0}));
  f.protocol.releaseKey(7);
  EXPECT_EQ(f.last(), (Bytes{7, 0x15, 5, 8, 7, 0, 0, 0}));

  // Any other action resends the slots unchanged.
  f.protocol.pressKey(9, 0);
  f.protocol.pressKey(9, 3);
  EXPECT_EQ(f.last(), (Bytes{7, 0x15, 5, 8, 7, 0, 0, 0}));
  EXPECT_EQ(f.transport.reports().size(), 14u);
}

TEST(ReportProtocol, MouseButtonState) {
  Fixture f;
  f.protocol.pressKey(0xF0, 1);
  EXPECT_EQ(f.protocol.buttonState(), 0xFE);
  f.protocol.pressKey(0xF2, 1);
  EXPECT_EQ(f.last()[3], 0xFA);
  f.protocol.pressKey(0xF0, 2);
  EXPECT_EQ(f.last()[3], 0xFB);
  // A code above the middle button changes nothing but is still sent.
  f.protocol.pressKey(0xF3, 1);
  f.protocol.pressKey(0xFF, 2);
  EXPECT_EQ(f.last(), (Bytes{7, 0x16, 0, 0xFB, 0, 0, 0, 0}));
  EXPECT_EQ(f.transport.reports().size(), 5u);
  // Buttons never touch the key slots, keys never the button state.
  EXPECT_EQ(f.protocol.keySlots(), (std::array<std::uint8_t, 6>{}));
  f.protocol.pressKey(0xEF, 1);
  EXPECT_EQ(f.protocol.buttonState(), 0xFB);
  EXPECT_EQ(f.last(), (Bytes{7, 0x15, 0xEF, 0, 0, 0, 0, 0}));
}

TEST(ReportProtocol, ReleaseAllPausesThenClearsButtonsAndKeys) {
  Fixture f;
  f.protocol.pressKey(0x04, 1);
  f.protocol.pressKey(0xE1, 1);
  f.protocol.pressKey(0xF1, 1);
  f.log.clear();
  f.protocol.releaseAll();
  EXPECT_EQ(f.log.lines(), (std::vector<std::string>{
                               "sleep 10",
                               "F 07 16 04 FF 00 00 00 00",
                               "sleep 10",
                               "F 07 15 00 00 00 00 00 00",
                           }));
  EXPECT_EQ(f.protocol.buttonState(), 0xFF);
}

TEST(ReportProtocol, InvalidHandleSendsNothingButKeepsState) {
  Fixture f(8, platform::kInvalidHidHandle);
  f.protocol.pressKey(0x04, 1);
  f.protocol.pressKey(0xF0, 1);
  f.protocol.sendButtonFunction(1, 1);
  f.protocol.sendExitReport();
  EXPECT_TRUE(f.transport.reports().empty());
  EXPECT_EQ(f.protocol.keySlots()[0], 0x04);
  EXPECT_EQ(f.protocol.buttonState(), 0xFE);

  // Only the invalid-handle value stops a send: a null handle goes to the transport.
  Fixture null(8, platform::kNullHidHandle);
  null.protocol.sendExitReport();
  ASSERT_EQ(null.transport.handles().size(), 1u);
  EXPECT_EQ(null.transport.handles()[0], platform::kNullHidHandle);
}

TEST(ReportProtocol, FailedSendChangesNothing) {
  Fixture f;
  f.transport.succeed = false;
  f.protocol.pressKey(0x04, 1);
  f.protocol.pressKey(0x05, 1);
  EXPECT_EQ(f.last(), (Bytes{7, 0x15, 4, 5, 0, 0, 0, 0}));
  EXPECT_EQ(f.transport.reports().size(), 2u);  // no retry
}

TEST(ReportProtocol, ReportLengthFollowsFeatureCapsUpToBuffer) {
  Fixture shortReports(4);
  shortReports.protocol.pressKey(4, 1);
  EXPECT_EQ(shortReports.last(), (Bytes{7, 0x15, 4, 0}));

  Fixture wide(65);
  wide.protocol.sendLed(2);
  EXPECT_EQ(wide.last().size(), 65u);

  // A feature length beyond the buffer is cut to the buffer, never read past it.
  Fixture huge(1000);
  huge.protocol.sendLed(2);
  EXPECT_EQ(huge.last().size(), ReportProtocol::kBufferSize);
  EXPECT_EQ(huge.protocol.reportLength(), ReportProtocol::kBufferSize);
}

}  // namespace
}  // namespace pyxom::device
