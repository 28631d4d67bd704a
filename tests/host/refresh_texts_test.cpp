// The label texts a refresh tick writes, and what a failing step leaves behind.
#include "platform/CachedSystem.h"
#include "platform/fake/FakeSystem.h"
#include "refresh_fixture.h"
#include "sources/adCpuUsage.h"
#include "sources_perf_block.h"

namespace tabrix::test {
namespace {

constexpr uint64_t kMiB = 1048576;

class RefreshTexts : public RefreshTest {
protected:
    RefreshTexts() {
        fake.cpu.sampler = &counters;
        FakeSystem& s = fake.system;
        s.power.acLineStatus = 0;
        s.power.batteryLifePercent = 57;
        s.power.batteryLifeTime = 5400;
        s.user = "alice";
        s.memory = {43, 536330240, 200 * kMiB, 1000 * kMiB, 500 * kMiB};
        s.display = {75, 32, 1280, 1024};
        s.ticks = 90061000;
    }
    ~RefreshTexts() override { counters.StopCpuCounters(); }

    FakePerformance performance;
    CpuCounters counters;
};

TEST_F(RefreshTexts, EveryChangingFactFromTheSystem) {
    build({}, {"[modules]", "CheckBox23=True"});
    EXPECT_FALSE(form->look().timers.tmrTraffic.enabled);
    tick();
    const TForm1& f = *form;
    EXPECT_EQ("Battery: 57 % Remaining: 1.5 h", f.look().label(34).text);
    EXPECT_EQ("alice", f.look().label(23).text);
    EXPECT_EQ("200 / 512 Mb", f.look().label(10).text);
    EXPECT_EQ("43%", f.look().label(12).text);
    EXPECT_EQ("501 / 1001 Mb", f.look().label(16).text);
    EXPECT_EQ("75Hz @ 1280x1024", f.look().label(18).text);
    EXPECT_EQ("1 days 1 hrs 1 min ", f.look().label(20).text);
    EXPECT_TRUE(f.look().timers.tmrTraffic.enabled);

    build({}, {"[modules]", "CheckBox23=False"});
    tick();
    EXPECT_FALSE(form->look().timers.tmrTraffic.enabled);
}

TEST_F(RefreshTexts, ShowUsedPutsTheUsedAmountFirstAndMemoryBeyond4GbCounts) {
    build({"ShowUsed=1"});
    tick();
    EXPECT_EQ("311 / 512 Mb", form->look().label(10).text);
    EXPECT_EQ("502 / 1001 Mb", form->look().label(16).text);

    build({"ShowUsed=yes"});  // only "1" means used
    fake.system.memory = {20, 8192 * kMiB, 6144 * kMiB, 12288 * kMiB, 9000 * kMiB};
    tick();
    EXPECT_EQ("6144 / 8193 Mb", form->look().label(10).text);
    EXPECT_EQ("9001 / 12289 Mb", form->look().label(16).text);
}

TEST_F(RefreshTexts, CpuUsageFromTheSamplerAndAFailingSamplerStopsNothingElse) {
    // Neither performance data nor GetSystemTimes: every sample throws.
    performance.queryFails = true;
    counters.InitCpuCounters(performance, fake.system);
    build({"winampbuttonsstay=1"});
    tick();
    EXPECT_EQ("X", form->look().label(4).text);
    EXPECT_EQ("1 days 1 hrs 1 min ", form->look().label(20).text);
    EXPECT_EQ(1, buttons());
    EXPECT_TRUE(errors.shown.empty());

    // The fallback: the load over the interval between two ticks, halves to even.
    performance.hasSystemTimes = true;
    tick();
    EXPECT_EQ("0 %   ", form->look().label(4).text);  // one sample: no interval yet
    performance.idleTime += 625;
    performance.kernelTime += 1000;
    tick();
    EXPECT_EQ("38 %   ", form->look().label(4).text);
    performance.queryFails = true;
    performance.hasSystemTimes = false;
    tick();
    EXPECT_EQ("38 %   ", form->look().label(4).text);
}

TEST_F(RefreshTexts, CpuUsageFromThePerformanceDataIsTheSecondInstancesFigure) {
    using perftest::kSecond;
    // Two processors and the total, listed in that order: the figure is instance 1's.
    performance.data = perftest::build({{0, 0, 0}, 0}).bytes;
    counters.InitCpuCounters(performance, fake.system);
    build({});
    tick();
    EXPECT_EQ("0 %   ", form->look().label(4).text);
    performance.data = perftest::build({{kSecond / 10, kSecond * 3 / 10, kSecond * 6 / 10}, 1}).bytes;
    tick();
    EXPECT_EQ("70 %   ", form->look().label(4).text);
    performance.data = perftest::build({{kSecond / 10, kSecond * 3 / 10 + kSecond / 2, kSecond}, 3}).bytes;
    tick();  // two seconds, half of one idle on instance 1
    EXPECT_EQ("75 %   ", form->look().label(4).text);
}

TEST_F(RefreshTexts, DriveTextOnlyWhenShouldGetDiskIsOne) {
    fake.files.put("C:\\Tabrix\\drives.inf", "4\r\n");
    fake.disks.drives['D'] = {1073741824, 2147483648u};
    build({});
    tick();
    EXPECT_EQ("X", form->look().label(36).text);
    EXPECT_FALSE(form->look().label(36).visible);
    EXPECT_EQ("", fake.disks.asked);

    build({"ShouldGetDisk=1"});
    EXPECT_EQ("\n\rD: 50 % of 2 Gb", form->look().label(36).text);
    fake.disks.drives['D'].free = 536870912;
    tick();
    EXPECT_EQ("\n\rD: 25 % of 2 Gb", form->look().label(36).text);
}

// A system whose clock fails: step 10 throws.
class BrokenClock : public FakeSystem {
public:
    uint32_t tickCount() override {
        if (broken) throw Error("clock");
        return FakeSystem::tickCount();
    }
    bool broken = true;
};

TEST_F(RefreshTexts, AFailingStepEndsTheTickQuietlyAndTheNextTickStartsAfresh) {
    BrokenClock system;
    system.user = "bob";
    replace(system, fake.player);
    build({"winampbuttonsstay=1"}, {"[modules]", "CheckBox23=True"});
    tick();
    EXPECT_EQ("bob", form->look().label(23).text);  // before the failing step
    EXPECT_EQ("X", form->look().label(20).text);    // the failing step and all after it
    EXPECT_EQ(0, buttons());
    EXPECT_FALSE(form->look().timers.tmrTraffic.enabled);
    EXPECT_TRUE(errors.shown.empty());
    EXPECT_TRUE(fake.ui.boxes.empty());

    system.broken = false;
    tick();
    EXPECT_EQ("0 days 0 hrs 0 min ", form->look().label(20).text);
    EXPECT_EQ(1, buttons());
    EXPECT_TRUE(form->look().timers.tmrTraffic.enabled);
}

// The program asks through a cache: what cannot change is asked once, and what the system
// announces as changed is asked again at the next tick.
TEST_F(RefreshTexts, UnchangingFactsAreAskedOnceAndAnnouncedChangesReachTheNextTick) {
    CachedSystem cached(fake.system);
    CachedDesktop desktop(fake.desktop);
    replace(cached, fake.player, &desktop);
    counters.InitCpuCounters(performance, cached);
    // A film over the whole of the widget's monitor.
    fake.desktop.monitors = {{0, 0, 1280, 1024}};
    fake.desktop.foreground.exists = true;
    fake.desktop.foreground.rect = {0, 0, 1280, 1024};
    build({"hidefullscreen=1"});
    tick();
    EXPECT_EQ("75Hz @ 1280x1024", form->look().label(18).text);
    EXPECT_EQ("Battery: 57 % Remaining: 1.5 h", form->look().label(34).text);
    EXPECT_TRUE(form->look().window.fullScreenHidden);

    fake.system.display = {60, 32, 1024, 768};
    fake.system.separator = ',';
    fake.system.user = "mallory";
    fake.desktop.monitors = {{0, 0, 1600, 1200}};
    tick();
    EXPECT_EQ("75Hz @ 1280x1024", form->look().label(18).text);
    EXPECT_EQ("Battery: 57 % Remaining: 1.5 h", form->look().label(34).text);
    EXPECT_TRUE(form->look().window.fullScreenHidden);

    form->events().DisplayChanged();
    tick();
    EXPECT_EQ("60Hz @ 1024x768", form->look().label(18).text);
    EXPECT_FALSE(form->look().window.fullScreenHidden);  // the film no longer covers the larger screen
    EXPECT_EQ("Battery: 57 % Remaining: 1.5 h", form->look().label(34).text);
    form->events().SettingChanged();
    tick();
    EXPECT_EQ("Battery: 57 % Remaining: 1,5 h", form->look().label(34).text);

    // A rebuilt window (Reload) asks nothing again that cannot have changed.
    build({});
    tick();
    EXPECT_EQ("alice", form->look().label(23).text);
    EXPECT_EQ(1, fake.system.userQueries);
    EXPECT_EQ(1, fake.system.versionQueries);
    EXPECT_EQ(2, fake.system.separatorQueries);
    EXPECT_EQ(3, fake.system.displayQueries);  // start-up, the announcement, the rebuild's start-up
    // Start-up, the first tick after start-up's own check of the screens, the announcement; the
    // rebuild does not hide over full-screen programs, so it lists none.
    EXPECT_EQ(3, fake.desktop.monitorQueries);
}

TEST(CachedFacts, AFailedVersionQuestionIsAskedAgain) {
    FakeSystem system;
    CachedSystem cached(system);
    VersionInfo info;
    system.versionWorks = false;
    EXPECT_FALSE(cached.version(info));
    system.versionWorks = true;
    EXPECT_TRUE(cached.version(info));
    EXPECT_TRUE(cached.version(info));
    EXPECT_EQ(2600u, info.buildNumber);
    EXPECT_EQ(2, system.versionQueries);
}

}  // namespace
}  // namespace tabrix::test
