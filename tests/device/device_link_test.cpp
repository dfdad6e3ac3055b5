#include "device/DeviceLink.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "sim/SimHidTransport.h"

namespace pyxom::device {
namespace {

using platform::HidAccess;
using platform::HidCaps;
using platform::HidHandle;

struct FakeInterface {
  int index;
  std::uint16_t vid, pid, usagePage, usage;
  bool openFails = false;
};

// An enumeration given as a table; records every index asked and every open.
class TableTransport final : public platform::HidTransport {
 public:
  explicit TableTransport(std::vector<FakeInterface> table) : table_(std::move(table)) {}
  void beginEnumeration() override {}
  void endEnumeration() override {}
  std::optional<std::wstring> interfacePath(int i) override {
    asked.push_back(i);
    for (auto& f : table_)
      if (f.index == i) return L"\\\\?\\hid#dev" + std::to_wstring(i);
    return std::nullopt;
  }
  HidHandle open(const std::wstring& path, HidAccess access) override {
    const FakeInterface* f = find(path);
    if (access != HidAccess::Probe) opens.push_back({f->index, access});
    if (access != HidAccess::Probe && f->openFails) return platform::kInvalidHidHandle;
    HidHandle h = next_++;
    handles_[h] = f;
    if (access == HidAccess::Probe) probes_.insert(h);
    return h;
  }
  void close(HidHandle h) override { probes_.erase(h); }
  bool getAttributes(HidHandle h, platform::HidAttributes& a) override {
    a = {handles_.at(h)->vid, handles_.at(h)->pid, 1};
    return true;
  }
  bool getCaps(HidHandle h, HidCaps& c) override {
    auto* f = handles_.at(h);
    c = HidCaps{f->usage, f->usagePage, 8, 0, 8};
    return true;
  }
  bool setFeature(HidHandle, const std::uint8_t*, std::size_t) override { return true; }
  bool readInput(HidHandle, std::uint8_t*, std::size_t, std::size_t&) override { return false; }
  void cancelReads() override {}

  std::vector<int> asked;
  std::vector<std::pair<int, HidAccess>> opens;
  std::size_t openProbeHandles() const { return probes_.size(); }

 private:
  const FakeInterface* find(const std::wstring& path) {
    for (auto& f : table_)
      if (path == L"\\\\?\\hid#dev" + std::to_wstring(f.index)) return &f;
    return nullptr;
  }
  std::vector<FakeInterface> table_;
  std::map<HidHandle, const FakeInterface*> handles_;
  std::set<HidHandle> probes_;
  HidHandle next_ = 1;
};

struct CountingNotifications final : platform::DeviceNotifications {
  int count = 0;
  void registerHidInterfaceNotifications() override { ++count; }
};

constexpr std::uint16_t kForeignVid = 0x845E;

struct DiscoveryCase {
  const char* name;
  std::vector<FakeInterface> table;
  bool present;
  int model;
  bool readOpened, writeOpened;
  int notifications;
};

void PrintTo(const DiscoveryCase& c, std::ostream* os) { *os << c.name; }

class Discovery : public ::testing::TestWithParam<DiscoveryCase> {};

TEST_P(Discovery, FindsTheMouseByExactPairAndVendorCollections) {
  const DiscoveryCase& c = GetParam();
  TableTransport t(c.table);
  CountingNotifications n;
  DeviceLink link(t);
  EXPECT_EQ(link.discover(n), c.present);
  EXPECT_EQ(n.count, c.notifications);
  if (c.present) {
    EXPECT_EQ(link.model(), c.model);
  }
  EXPECT_EQ(link.readHandle() != platform::kNullHidHandle, c.readOpened);
  EXPECT_EQ(link.writeHandle() != platform::kNullHidHandle, c.writeOpened);
  EXPECT_EQ(t.openProbeHandles(), 0u) << "every probe handle is closed";
}

const FakeInterface kWineMouse{0, kForeignVid, 1, 0x01, 2};
const FakeInterface kWineKbd{1, kForeignVid, 2, 0x01, 6};

INSTANTIATE_TEST_SUITE_P(
    Table, Discovery,
    ::testing::Values(
        DiscoveryCase{"Model0", {kWineMouse, kWineKbd, {2, 0x18F8, 0x1286, 0xFF00, 1}, {3, 0x18F8, 0x1286, 0xFF01, 1}}, true, 0, true, true, 2},
        DiscoveryCase{"Model1", {{0, 0x30FA, 0x1701, 0xFF01, 1}, {1, 0x30FA, 0x1701, 0xFF00, 1}}, true, 1, true, true, 2},
        DiscoveryCase{"Model2WithGaps", {{5, 0x18F8, 0x0F99, 0x01, 2}, {40, 0x18F8, 0x0F99, 0xFF00, 1}, {99, 0x18F8, 0x0F99, 0xFF01, 1}}, true, 2, true, true, 3},
        DiscoveryCase{"MixedPairRejected", {{0, 0x18F8, 0x1701, 0xFF00, 1}, {1, 0x30FA, 0x1286, 0xFF01, 1}, {2, 0x30FA, 0x0F99, 0xFF01, 1}}, false, 0, false, false, 0},
        DiscoveryCase{"IndexHundredNeverExamined", {{3, 0x18F8, 0x1286, 0xFF00, 1}, {100, 0x18F8, 0x1286, 0xFF01, 1}}, true, 0, true, false, 1},
        DiscoveryCase{"VendorPageOtherUsageOpensNothing", {{0, 0x18F8, 0x1286, 0xFF00, 2}, {1, 0x18F8, 0x1286, 0xFF01, 3}}, true, 0, false, false, 2},
        // Verdict of the last interface read: a foreign device after the mouse clears it.
        DiscoveryCase{"LastInterfaceForeignClearsPresent", {{0, 0x18F8, 0x1286, 0xFF00, 1}, {1, kForeignVid, 1, 0x01, 2}}, false, 0, true, false, 1},
        DiscoveryCase{"FailedOpenStillCountsAsSet", {{0, 0x18F8, 0x1286, 0xFF00, 1, true}, {1, 0x18F8, 0x1286, 0xFF01, 1}, {2, kForeignVid, 1, 1, 2}}, true, 0, true, true, 2},
        DiscoveryCase{"NothingAttached", {kWineMouse, kWineKbd}, false, 0, false, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Discovery, AsksEveryIndexUpToNinetyNineAndStopsOnceBothHandlesAreSet) {
  TableTransport none({{7, kForeignVid, 1, 1, 2}});
  CountingNotifications n;
  DeviceLink a(none);
  a.discover(n);
  ASSERT_EQ(none.asked.size(), 100u);
  EXPECT_EQ(none.asked.back(), 99);

  TableTransport mouse({{0, 0x18F8, 0x1286, 0xFF00, 1}, {1, 0x18F8, 0x1286, 0xFF01, 1}, {2, 0x18F8, 0x1286, 1, 2}});
  DeviceLink b(mouse);
  b.discover(n);
  EXPECT_EQ(mouse.asked.size(), 2u);
  EXPECT_EQ(b.devicePath(), L"\\\\?\\hid#dev1");
  ASSERT_EQ(mouse.opens.size(), 2u);
  EXPECT_EQ(mouse.opens[0].second, HidAccess::Read);
  EXPECT_EQ(mouse.opens[1].second, HidAccess::Write);
  EXPECT_EQ(b.outputCaps().featureReportByteLength, 8);
}

TEST(DeviceChange, OnlyRemovalOfTheSavedPathInAnyCaseEndsTheProgram) {
  sim::SimHidTransport t(0);
  CountingNotifications n;
  DeviceLink link(t);
  ASSERT_TRUE(link.discover(n));
  std::wstring saved = link.devicePath();
  ASSERT_EQ(saved, t.mousePath());
  std::wstring upper = saved, lower = saved;
  for (auto& ch : upper) ch = static_cast<wchar_t>(std::towupper(ch));
  for (auto& ch : lower) ch = static_cast<wchar_t>(std::towlower(ch));

  DeviceBroadcast unrelated{kDeviceTypeInterface, L"\\\\?\\HID#VID_1234&PID_0001#x#{guid}"};
  DeviceBroadcast savedPath{kDeviceTypeInterface, saved};
  DeviceBroadcast otherType{2, saved};
  EXPECT_FALSE(link.onDeviceChange(kDeviceRemoveComplete, &unrelated));
  EXPECT_FALSE(link.onDeviceChange(kDeviceArrival, &savedPath));
  EXPECT_FALSE(link.onDeviceChange(kDeviceRemoveComplete, &otherType));
  EXPECT_FALSE(link.onDeviceChange(0x0007, nullptr));
  EXPECT_TRUE(link.present());

  DeviceBroadcast otherCase{kDeviceTypeInterface, saved == upper ? lower : upper};
  EXPECT_TRUE(link.onDeviceChange(kDeviceRemoveComplete, &otherCase));
  EXPECT_FALSE(link.present());
}

}  // namespace
}  // namespace pyxom::device
