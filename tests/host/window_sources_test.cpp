// The main window's slower sources: the external address fetched away from the window, the
// traffic meter, the sensor pairs and the drive block, driven through its timers.
#include "../hwinfo_block.h"
#include "refresh_fixture.h"
#include "sources/Traffic.h"
#include "sources/interfacewithhwinfo.h"
#include "window_fixture.h"

namespace tabrix::test {
namespace {

using SourcesTest = RefreshTest;

TEST_F(SourcesTest, StartUpAsksTheServerAndTheAnswerFillsLabel31WhenItArrives) {
    build({"showip=1", "ipserver=http://127.0.0.1:8080/ip", "ipinterval=60000"});
    ASSERT_EQ(1u, fake.ipLookup.fetches.size());
    EXPECT_EQ("http://127.0.0.1:8080/ip", fake.ipLookup.fetches[0].url);
    EXPECT_TRUE(form->look().timers.IPTImer.enabled);
    EXPECT_EQ(60000u, form->look().timers.IPTImer.interval);
    EXPECT_EQ("", form->look().label(31).text);  // nothing yet: the window is not held
    fake.ipLookup.answer("192.0.2.7\r\n");
    EXPECT_EQ("192.0.2.7\r\n", form->look().label(31).text);  // the line end stays
    menuCommand(*form, kMenuCopyIp);
    EXPECT_EQ(std::vector<std::string>{"192.0.2.7\r\n"}, fake.clipboard.texts);

    // A markup page at start-up; a leading blank is not markup; "Failed" is shown quietly.
    build({"showip=1"});
    fake.ipLookup.answer("<html><body>Not Found</body></html>");
    EXPECT_EQ("Bad IP Server", form->look().label(31).text);
    build({"showip=1"});
    fake.ipLookup.answer(" <html>");
    EXPECT_EQ(" <html>", form->look().label(31).text);
    build({"showip=1"});
    EXPECT_EQ("0", fake.ipLookup.fetches.back().url);  // no ipserver: the URL "0"
    fake.ipLookup.answer("Failed");
    EXPECT_EQ("Failed", form->look().label(31).text);
    EXPECT_TRUE(errors.shown.empty());
    EXPECT_EQ("", stored.lastIpRefresh);  // start-up's answer is not the timer's

    // Only exactly "1" looks anything up; the timer then stays stopped.
    build({"showip=true", "ipinterval=60000"});
    EXPECT_EQ(0, fake.ipLookup.waiting());
    EXPECT_FALSE(form->look().timers.IPTImer.enabled);
    EXPECT_EQ("", form->look().label(31).text);
}

TEST_F(SourcesTest, AFailedRefreshGetsOneMoreAttemptThenTheTimerStops) {
    build({"showip=1", "ipserver=http://127.0.0.1/", "ipinterval=60000"});
    fake.ipLookup.answer("192.0.2.7");

    form->IPTImerTimer();
    fake.ipLookup.answer("192.0.2.8");
    EXPECT_EQ("192.0.2.8", form->look().label(31).text);
    EXPECT_TRUE(form->look().timers.IPTImer.enabled);

    form->IPTImerTimer();
    fake.ipLookup.answer("Failed");
    EXPECT_EQ("Failed", form->look().label(31).text);
    EXPECT_EQ(std::vector<std::string>{"Unable to retrieve IP"}, errors.shown);
    EXPECT_TRUE(form->look().timers.IPTImer.enabled);

    // The one more attempt: the timer stops as the tick begins, the fetch still goes out.
    form->IPTImerTimer();
    EXPECT_FALSE(form->look().timers.IPTImer.enabled);
    fake.ipLookup.answer("192.0.2.9");
    EXPECT_EQ("192.0.2.9", form->look().label(31).text);
    EXPECT_EQ(1u, errors.shown.size());
    EXPECT_EQ(4u, fake.ipLookup.fetches.size());

    // Markup on a refresh is shown as it is.
    form->IPTImerTimer();
    fake.ipLookup.answer("<html>");
    EXPECT_EQ("<html>", form->look().label(31).text);
}

TEST_F(SourcesTest, TwoFailuresInARowGiveTwoNoticesAndTheRememberedFailureOutlivesARebuild) {
    build({"showip=1", "ipinterval=60000"});
    fake.ipLookup.answer("1.2.3.4");
    form->IPTImerTimer();
    fake.ipLookup.answer("Failed");
    build({"showip=1", "ipinterval=60000"});  // Reload
    fake.ipLookup.answer("1.2.3.4");
    EXPECT_TRUE(form->look().timers.IPTImer.enabled);
    form->IPTImerTimer();  // the new window's first tick already is the one more attempt
    EXPECT_FALSE(form->look().timers.IPTImer.enabled);
    fake.ipLookup.answer("Failed");
    EXPECT_EQ((std::vector<std::string>{"Unable to retrieve IP", "Unable to retrieve IP"}), errors.shown);
}

TEST_F(SourcesTest, ATickWhileAFetchIsUnderWayStartsNoSecond) {
    build({"showip=1", "ipinterval=1000"});
    form->IPTImerTimer();
    form->IPTImerTimer();
    EXPECT_EQ(1u, fake.ipLookup.fetches.size());  // start-up's fetch still waits
    fake.ipLookup.answer("10.0.0.1");
    form->IPTImerTimer();
    EXPECT_EQ(2u, fake.ipLookup.fetches.size());
}

TEST_F(SourcesTest, AnAnswerForARebuiltWindowGoesNowhere) {
    build({"showip=1", "ipinterval=60000"});
    form->IPTImerTimer();  // skipped: start-up's fetch still waits
    build({"showip=1", "ipinterval=60000"});
    ASSERT_EQ(2, fake.ipLookup.waiting());
    fake.ipLookup.answer("Failed");  // the old window's answer
    EXPECT_EQ("", form->look().label(31).text);
    EXPECT_TRUE(errors.shown.empty());
    EXPECT_EQ("", stored.lastIpRefresh);
    fake.ipLookup.answer("192.0.2.1");  // the new window's own
    EXPECT_EQ("192.0.2.1", form->look().label(31).text);

    // The old window's refresh answer, arriving after the window is gone, neither.
    form->IPTImerTimer();
    form.reset();
    fake.ipLookup.answer("Failed");
    EXPECT_TRUE(errors.shown.empty());
    EXPECT_EQ("", stored.lastIpRefresh);
}

// Interface rows as the table lists them, unsorted.
InterfaceRow row(uint32_t speed, uint32_t in, uint32_t out) {
    return InterfaceRow{speed, in, out, "if"};
}

TEST_F(SourcesTest, TrafficMeasuresTheRowAtIpinterfaceFromZeroAfterEveryBuild) {
    fake.network.rows = {row(10000000, 1, 1), row(100000000, 50000, 9000)};
    build({"ipinterface=1"});
    form->tmrTrafficTimer();
    EXPECT_EQ("100 Mbps", form->look().label(22).text);
    EXPECT_EQ("D: 0 Kb/s", form->look().label(32).text);
    EXPECT_EQ("U: 0 Kb/s", form->look().label(33).text);
    fake.network.rows[1].inOctets += 1536;
    fake.network.rows[1].outOctets += 10240;
    fake.system.separator = ',';
    form->tmrTrafficTimer();
    EXPECT_EQ("D: 1,5 Kb/s", form->look().label(32).text);
    EXPECT_EQ("U: 10 Kb/s", form->look().label(33).text);

    // A rebuild starts the baselines again: the first tick shows 0.
    fake.network.rows[1].inOctets += 4096;
    build({"ipinterface=1"});
    form->tmrTrafficTimer();
    EXPECT_EQ("D: 0 Kb/s", form->look().label(32).text);
    // Default position 0.
    build({});
    form->tmrTrafficTimer();
    EXPECT_EQ("10 Mbps", form->look().label(22).text);
}

TEST_F(SourcesTest, WithoutIpinterfaceTrafficFollowsTheFirstInterfaceUpThatIsNotTheLoopback) {
    constexpr uint32_t kLoopback = 24, kEthernet = 6, kDown = 2, kConnected = 4, kUp = 5;
    auto typed = [](uint32_t speed, uint32_t type, uint32_t status) {
        return InterfaceRow{speed, 1000, 1000, "if", type, status};
    };
    struct Case {
        std::vector<InterfaceRow> rows;
        int picked;
    } cases[] = {
        {{}, 0},
        {{typed(1, kLoopback, kUp)}, 0},
        {{typed(1, kLoopback, kUp), typed(2, kEthernet, kDown), typed(3, kEthernet, kUp)}, 2},
        {{typed(1, kLoopback, kUp), typed(2, kEthernet, kDown), typed(3, kEthernet, kConnected)}, 2},
        {{typed(1, kLoopback, kUp), typed(2, kEthernet, kDown), typed(3, kEthernet, kDown)}, 1},
        {{typed(3, kEthernet, kUp), typed(1, kLoopback, kUp)}, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(c.picked, automaticInterface(c.rows)) << c.rows.size();

    fake.network.rows = {typed(10000000, kLoopback, kUp), typed(100000000, kEthernet, kDown),
                         typed(54000000, kEthernet, kUp)};
    build({});
    form->tmrTrafficTimer();
    EXPECT_EQ("54 Mbps", form->look().label(22).text);
    // The wireless link drops and the cable comes up: that one is measured, from 0.
    fake.network.rows[1].operStatus = kUp;
    fake.network.rows[2].operStatus = kDown;
    fake.network.rows[1].inOctets += 4096;
    form->tmrTrafficTimer();
    EXPECT_EQ("100 Mbps", form->look().label(22).text);
    EXPECT_EQ("D: 0 Kb/s", form->look().label(32).text);
    fake.network.rows[1].inOctets += 2048;
    form->tmrTrafficTimer();
    EXPECT_EQ("D: 2 Kb/s", form->look().label(32).text);
    // A file that names the loopback keeps it.
    build({"ipinterface=0"});
    form->tmrTrafficTimer();
    EXPECT_EQ("10 Mbps", form->look().label(22).text);
}

TEST_F(SourcesTest, NoRowOrNoTableLeavesTheTrafficLabelsForThatTick) {
    fake.network.rows = {row(100000000, 1000, 1000)};
    build({});
    form->tmrTrafficTimer();
    fake.network.rows[0].inOctets += 2048;
    for (InterfaceTableResult r : {InterfaceTableResult::Failed, InterfaceTableResult::NoLibrary}) {
        fake.network.result = r;
        form->tmrTrafficTimer();
        EXPECT_EQ("D: 0 Kb/s", form->look().label(32).text);
    }
    fake.network.result = InterfaceTableResult::Ok;
    form->tmrTrafficTimer();
    EXPECT_EQ("D: 2 Kb/s", form->look().label(32).text);

    for (const char* at : {"ipinterface=1", "ipinterface=-1", "ipinterface=600"}) {
        build({at});
        const std::string connection = form->look().label(22).text;
        form->tmrTrafficTimer();
        EXPECT_EQ(connection, form->look().label(22).text) << at;
        EXPECT_EQ("", form->look().label(32).text) << at;
        EXPECT_EQ("", form->look().label(33).text) << at;
    }
}

using WindowSourcesTest = WindowTest;

TEST_F(WindowSourcesTest, ATableWithoutItsFunctionClosesTheMainWindow) {
    TForm1& f = start();
    fake.network.result = InterfaceTableResult::NoFunction;
    f.tmrTrafficTimer();
    EXPECT_EQ("close", host.log.back());
}

TEST_F(WindowSourcesTest, TheRefreshStartsTheTrafficTimerWhenTheModuleIsOn) {
    TForm1& f = start();
    EXPECT_FALSE(f.look().timers.tmrTraffic.enabled);
    f.systimerTimer();
    EXPECT_TRUE(f.look().timers.tmrTraffic.enabled);
    EXPECT_EQ(1000u, f.look().timers.tmrTraffic.interval);
}

TEST_F(SourcesTest, SensorPairsAreWrittenAndShownEachTickWhileTheModuleIsOn) {
    fake.sharedMemory.blocks["$M$B$M$5$S$D$"] = sensorBlock({{"CPU", 45.5}, {"Case", 255}}, 2);
    build({});
    EXPECT_FALSE(form->look().label(25).visible);
    tick();
    EXPECT_EQ("CPU:", form->look().label(25).text);
    EXPECT_EQ("45.5 *C", form->look().label(26).text);
    EXPECT_TRUE(form->look().label(25).visible && form->look().label(26).visible);
    EXPECT_EQ("255 *C", form->look().label(28).text);  // 255: no sensor, the pair is hidden
    EXPECT_FALSE(form->look().label(27).visible || form->look().label(28).visible);
    EXPECT_EQ("Temperature:", form->look().label(29).text);  // beyond the count: untouched
    EXPECT_FALSE(form->look().label(29).visible || form->look().label(30).visible);

    // The program publishing it quits: the last readings stay.
    fake.sharedMemory.blocks.clear();
    tick();
    EXPECT_EQ("45.5 *C", form->look().label(26).text);
    EXPECT_TRUE(form->look().label(26).visible);

    // Fahrenheit, and self-draw mode, where start-up hid every label.
    fake.sharedMemory.blocks["$M$B$M$5$S$D$"] = sensorBlock({{"CPU", 40}}, 1);
    build({"Temp_label=*F", "SelfDrawEnabled=1"});
    tick();
    EXPECT_EQ("104 *F", form->look().label(26).text);
    EXPECT_TRUE(form->look().label(26).visible);

    // A block too short for its counts leaves the pairs as they are.
    fake.sharedMemory.blocks["$M$B$M$5$S$D$"] = sensorBlock({{"CPU", 40}}, 1).substr(0, 100);
    build({});
    tick();
    EXPECT_EQ("X", form->look().label(26).text);
    EXPECT_FALSE(form->look().label(26).visible);
}

TEST_F(SourcesTest, HwinfoFillsThePairsOnlyWithoutMotherboardMonitorAndKeepsThemWhenItStops) {
    auto& blocks = fake.sharedMemory.blocks;
    blocks[kHwinfoBlockName] = hwinfo_block::build(hwinfo_block::fiveReadings());
    build({}, {"[Sensors]", "reading1=CPU Fan"});
    tick();
    EXPECT_EQ("CPU Fan:", form->look().label(25).text);
    EXPECT_EQ("1200 RPM", form->look().label(26).text);
    EXPECT_EQ("48 *C", form->look().label(30).text);
    EXPECT_TRUE(form->look().label(29).visible && form->look().label(30).visible);

    // Stopped: the signature says so, then the block is gone; the last readings stay.
    hwinfo_block::put32(blocks[kHwinfoBlockName], 0, 0x44414544);
    tick();
    blocks.clear();
    tick();
    EXPECT_EQ("1200 RPM", form->look().label(26).text);
    EXPECT_TRUE(form->look().label(30).visible);

    // One temperature, found at the next look: the pairs left over are hidden and keep their
    // texts.
    blocks[kHwinfoBlockName] = hwinfo_block::build({{hwinfo_block::kTemperature, "CPU", "C", 50}});
    tick(5);
    EXPECT_EQ("50 *C", form->look().label(26).text);
    EXPECT_EQ("48 *C", form->look().label(30).text);
    EXPECT_FALSE(form->look().label(29).visible || form->look().label(30).visible);

    // Motherboard Monitor's block, when there, is the one read.
    blocks["$M$B$M$5$S$D$"] = sensorBlock({{"Case", 30}}, 1);
    tick(5);
    EXPECT_EQ("30 *C", form->look().label(26).text);
    EXPECT_FALSE(form->look().label(29).visible);
}

TEST_F(SourcesTest, SensorsAreNotReadWithTheModuleOff) {
    fake.sharedMemory.blocks["$M$B$M$5$S$D$"] = sensorBlock({{"CPU", 45.5}}, 1);
    build({}, {"[modules]", "CheckBox21=False"});
    tick();
    EXPECT_EQ(0, fake.sharedMemory.reads);
    EXPECT_FALSE(form->look().label(26).visible);
    build({}, {"[modules]", "CheckBox21=true"});  // only the exact word switches it on
    tick();
    EXPECT_EQ(0, fake.sharedMemory.reads);
}

TEST_F(SourcesTest, AFailingDriveReportAbandonsTheRestOfTheTick) {
    fake.files.put("C:\\Tabrix\\drives.inf", "3\r\n");
    fake.disks.drives['C'] = {0, 0};
    fake.sharedMemory.blocks["$M$B$M$5$S$D$"] = sensorBlock({{"CPU", 45.5}}, 1);
    build({"ShouldGetDisk=1"});
    EXPECT_EQ("\n\rC: 0 % of 0 Gb", form->look().label(36).text);
    fake.files.put("C:\\Tabrix\\drives.inf", "three\r\n");
    tick();
    EXPECT_EQ("\n\rC: 0 % of 0 Gb", form->look().label(36).text);
    EXPECT_EQ(0, fake.sharedMemory.reads);  // the sensors come after the drives
    EXPECT_FALSE(form->look().timers.tmrTraffic.enabled);
    EXPECT_TRUE(errors.shown.empty());
}

}  // namespace
}  // namespace tabrix::test
