// The listener's reaction to one input report at a time, without a thread.
#include <gtest/gtest.h>

#include "device/ActionFakes.h"

namespace pyxom::test {
namespace {

using device::MacroBlock;

enum class Input { Report, FailedRead, OtherId, OnlyId };

struct Case {
  const char* name;
  int model;
  int macroMode;
  std::uint8_t options;  // of the current macro
  int pending, held;     // before
  Input input;
  std::uint8_t b1, b2;
  int wantPending, wantStop, wantHeld;
  std::uint8_t wantCode;  // lastButtonCode after (0x11 = the earlier press kept)
};

TEST(Listener, TriggerRules) {
  const Case cases[] = {
      {"press is taken", 0, 0, 0, 0, 0, Input::Report, 0xF2, 0x01, 1, 0, 1, 0xF2},
      {"press while pending, mode 0, stops", 0, 0, 0, 1, 1, Input::Report, 0xF3, 0, 1, 1, 1, 0x11},
      {"press while pending, mode 1, ignored", 1, 1, 0, 1, 1, Input::Report, 0xF3, 0, 1, 0, 1, 0x11},
      {"release, mode 0", 0, 0, 0, 0, 1, Input::Report, 0xF2, 0x80, 0, 0, 0, 0x11},
      {"release, mode 0, repeat-until-stopped macro", 0, 0, 2, 0, 1, Input::Report, 0xF2, 0x80, 0, 1, 0, 0x11},
      {"release, mode 1", 1, 1, 0, 0, 1, Input::Report, 0xF2, 0x80, 0, 1, 0, 0x11},
      {"toggle, idle", 0, 0, 0, 0, 0, Input::Report, 0xF0, 0, 0, 0, 1, 0x11},
      {"toggle to held while pending", 0, 0, 0, 1, 0, Input::Report, 0x05, 0, 1, 1, 1, 0x11},
      {"toggle to released while pending", 0, 0, 0, 1, 1, Input::Report, 0x05, 0, 1, 0, 0, 0x11},
      {"toggle, repeat-until-stopped macro", 0, 0, 2, 0, 1, Input::Report, 0xF0, 0, 0, 1, 0, 0x11},
      {"toggle, mode 1", 1, 3, 0, 0, 1, Input::Report, 0xF0, 0, 0, 1, 0, 0x11},
      {"failed read, model 0", 0, 1, 2, 1, 0, Input::FailedRead, 0, 0, 1, 0, 0, 0x11},
      {"other report id, model 1", 1, 1, 2, 0, 0, Input::OtherId, 0xF2, 0, 0, 0, 0, 0x11},
      {"failed read, model 2, is a toggle", 2, 0, 0, 1, 0, Input::FailedRead, 0, 0, 1, 1, 1, 0x11},
      {"other report id, model 2, is a toggle", 2, 1, 0, 0, 1, Input::OtherId, 0xF2, 0, 0, 1, 0, 0x11},
      {"model 2 press", 2, 0, 0, 0, 0, Input::Report, 0xF4, 0, 1, 0, 1, 0xF4},
      {"model 2 release, repeat-until-stopped", 2, 0, 2, 0, 1, Input::Report, 0xF4, 0x80, 0, 1, 0, 0x11},
      {"report of the id alone reads byte 1 as 0: a toggle", 0, 0, 0, 0, 0, Input::OnlyId, 0, 0, 0, 0, 1, 0x11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ActionRig rig(c.model);
    rig.settings.macroMode = c.macroMode;
    const MacroBlock block = makeBlock({{4, 1, 0}}, c.options);
    // The block the listener consults: that of currentButton (models 0, 1) or currentMacro (2).
    rig.events.currentButton = 3;
    rig.tables.setButtonBlock(3, block);
    rig.events.setCurrentMacro({4, 7});
    rig.tables.setGroupBlock(4, 7, block);
    rig.events.buttonEventPending = c.pending;
    rig.events.buttonHeld = c.held;
    rig.events.lastButtonCode = 0x11;
    const std::uint8_t bytes[8] = {c.input == Input::OtherId ? std::uint8_t{5} : std::uint8_t{6}, c.b1, c.b2};
    switch (c.input) {
      case Input::FailedRead: device::applyInputReport(rig.listener(), false, bytes, 0); break;
      case Input::OnlyId: device::applyInputReport(rig.listener(), true, bytes, 1); break;
      default: device::applyInputReport(rig.listener(), true, bytes, 8); break;
    }
    EXPECT_EQ(rig.events.buttonEventPending, c.wantPending);
    EXPECT_EQ(rig.events.macroStopRequest, c.wantStop);
    EXPECT_EQ(rig.events.buttonHeld, c.wantHeld);
    EXPECT_EQ(rig.events.lastButtonCode, c.wantCode);
  }
}

TEST(Listener, PressWhilePendingKeepsTheFirstPressAndItsArgument) {
  ActionRig rig(1);
  rig.settings.macroMode = 1;
  rig.press(1, 2);
  rig.press(2, 3);
  EXPECT_EQ(rig.events.lastButtonCode, 0xF2);
  EXPECT_EQ(rig.events.lastButtonArg, 2);
  EXPECT_EQ(rig.events.macroStopRequest, 0);
}

// A transport that hands out prepared reads and counts them.
class ScriptedTransport : public RecordingHidTransport {
 public:
  struct Read {
    bool ok;
    Bytes bytes;
  };
  bool readInput(platform::HidHandle h, std::uint8_t* buffer, std::size_t length,
                 std::size_t& received) override {
    handles.push_back(h);
    lengths.push_back(length);
    received = 0;
    if (reads.empty()) return false;
    Read r = reads.front();
    reads.erase(reads.begin());
    received = std::min(length, r.bytes.size());
    std::copy_n(r.bytes.begin(), received, buffer);
    return r.ok;
  }
  std::vector<Read> reads;
  std::vector<platform::HidHandle> handles;
  std::vector<std::size_t> lengths;
};

TEST(Listener, OneIterationReadsWithTheCollectionLengthThenPauses2Ms) {
  EventLog log;
  ScriptedTransport t;
  HookClock clock(log);
  device::ButtonEvents events;
  device::ButtonTables tables;
  settings::MouseSettings s;
  t.reads.push_back({true, {6, 0xF3, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}});
  device::ListenerContext c{t, 55, 400, 0, events, tables, s, clock};
  device::listenOnce(c);
  ASSERT_EQ(t.lengths.size(), 1u);
  EXPECT_EQ(t.handles[0], 55);
  EXPECT_EQ(t.lengths[0], 256u) << "the read length is capped at 256";
  EXPECT_EQ(events.buttonEventPending, 1);
  EXPECT_EQ(events.lastButtonCode, 0xF3);
  EXPECT_EQ(log.lines(), (Lines{"sleep 2"}));

  // No read handle: no read, no event, even on model 2.
  device::ListenerContext none{t, platform::kInvalidHidHandle, 8, 2, events, tables, s, clock};
  events.buttonHeld = 0;
  device::listenOnce(none);
  EXPECT_EQ(t.lengths.size(), 1u);
  EXPECT_EQ(events.buttonHeld, 0);
}

}  // namespace
}  // namespace pyxom::test
