// The history graphs: the ring of the last 60 values, the scaling, and how the main window
// reads, fills, draws and saves them.
#include "windows/main/Graphs.h"
#include "refresh_fixture.h"

namespace tabrix::test {
namespace {

History filled(std::initializer_list<uint64_t> values) {
    History h;
    for (uint64_t v : values) h.push(v);
    return h;
}

TEST(GraphHistory, KeepsTheLast60OldestFirstAcrossTheWrap) {
    History h;
    EXPECT_EQ(h.size(), 0u);
    EXPECT_EQ(h.highest(), 0u);
    for (uint64_t v = 1; v <= 59; ++v) h.push(v);
    EXPECT_EQ(h.size(), 59u);
    EXPECT_EQ(h.at(0), 1u);
    for (uint64_t v = 60; v <= 135; ++v) h.push(v);  // wraps past the end more than once
    ASSERT_EQ(h.size(), History::kLength);
    for (std::size_t i = 0; i < History::kLength; ++i) ASSERT_EQ(h.at(i), 76 + i) << i;
    EXPECT_EQ(h.highest(), 135u);
    h.clear();
    EXPECT_EQ(h.size(), 0u);
    h.push(7);
    EXPECT_EQ(h.at(0), 7u);
}

TEST(GraphScaling, ZerosLieOnTheBottomASpikeReachesTheTopAndValuesPast32BitsStayWhole) {
    // 60 values span the width exactly: the oldest at the left edge, the newest at the right.
    History zeros;
    for (int i = 0; i < 60; ++i) zeros.push(0);
    EXPECT_EQ(autoScale({zeros}), 0u);
    EXPECT_EQ(scaleText(0, '.'), "0 Kb/s");
    const std::vector<GraphPoint> flat = graphPoints(zeros, 0, 10, 20, 119, 36);
    ASSERT_EQ(flat.size(), 60u);
    EXPECT_EQ(flat.front().x, 10);
    EXPECT_EQ(flat[1].x, 12);
    EXPECT_EQ(flat.back().x, 128);
    for (const GraphPoint& p : flat) EXPECT_EQ(p.y, 55);

    // Three values fill from the right; the one spike sets the scale and the top row.
    const History spike = filled({0, 1536, 0});
    EXPECT_EQ(autoScale({spike, filled({512})}), 1536u);
    EXPECT_EQ(scaleText(1536, ','), "1,5 Kb/s");
    const std::vector<GraphPoint> p = graphPoints(spike, 1536, 10, 20, 119, 36);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ((std::vector<int>{p[0].x, p[1].x, p[2].x}), (std::vector<int>{124, 126, 128}));
    EXPECT_EQ((std::vector<int>{p[0].y, p[1].y, p[2].y}), (std::vector<int>{55, 20, 55}));

    // 5 GiB in one tick: no 32-bit wrap in the scale, its text or the points.
    const uint64_t huge = 5ull << 30;
    const History big = filled({huge, huge / 2});
    EXPECT_EQ(autoScale({big}), huge);
    EXPECT_EQ(scaleText(huge, '.'), "5242880 Kb/s");
    const std::vector<GraphPoint> q = graphPoints(big, huge, 0, 0, 60, 36);
    EXPECT_EQ(q[0].y, 0);
    EXPECT_EQ(q[1].y, 17);  // half of 35 rows, 17.5, rounds away from the bottom
    // A fixed scale holds a value above it on the top row.
    EXPECT_EQ(graphPoints(filled({250}), 100, 0, 0, 60, 36)[0].y, 0);

    EXPECT_EQ(lighterTint(0x000000), 0x7F7F7Fu);
    EXPECT_EQ(lighterTint(0x0000FF), 0x7F7FFFu);
    EXPECT_EQ(lighterTint(0xFFFFFF), 0xF5F5F5u) << "never the colour key's white";
}

class GraphsWindow : public RefreshTest {
protected:
    const Graph& cpu() const { return form->look().graphs[Graphs::kCpu]; }
    const Graph& traffic() const { return form->look().graphs[Graphs::kTraffic]; }
};

TEST_F(GraphsWindow, TheModuleKeyTurnsThemOnAndAMissingKeyLeavesThemOff) {
    build({});
    EXPECT_FALSE(form->look().graphs.on());
    EXPECT_FALSE(cpu().visible || traffic().visible);
    MainWindowAccess::graphs(*form).pushLoad(0.5);
    EXPECT_EQ(cpu().series[0].size(), 0u) << "nothing is kept while off";

    for (const char* value : {"False", "true", "1"}) {
        build({}, {"[Modules]", std::string("CheckBox32=") + value});
        EXPECT_FALSE(form->look().graphs.on()) << value;
    }

    build({"fontcolor=clRed", "font=Verdana"}, {"[modules]", "CheckBox32=True"});
    EXPECT_TRUE(cpu().visible && traffic().visible);
    EXPECT_EQ(cpu().drawMark, 2);
    EXPECT_EQ(cpu().color, 0x0000FFu);
    EXPECT_EQ(traffic().scaleFont.face, "Verdana");
    EXPECT_EQ(cpu().left, 28);
    EXPECT_EQ(traffic().top, 232);

    // Nothing fills the traffic graph without the traffic meter, so it does not show.
    build({}, {"[Modules]", "CheckBox32=True", "CheckBox23=False"});
    EXPECT_TRUE(cpu().visible);
    EXPECT_FALSE(traffic().visible);

    // Self-draw mode writes them with the texts on each pass instead.
    build({"SelfDrawEnabled=1"}, {"[Modules]", "CheckBox32=True"});
    EXPECT_FALSE(cpu().visible);
    canvas.writes.clear();
    form->DrawTimerTimer();
    std::vector<int> written;
    for (const CanvasWrite& w : canvas.writes)
        if (w.graph >= 0) written.push_back(w.graph);
    EXPECT_EQ(written, (std::vector<int>{Graphs::kCpu, Graphs::kTraffic}));
}

TEST_F(GraphsWindow, TicksFillThemFromWhatTheLabelsShowAndAReloadStartsAfresh) {
    fake.network.rows = {InterfaceRow{100000000, 50000, 9000, "if"}};
    build({}, {"[Modules]", "CheckBox32=True"});
    const unsigned before = traffic().version;
    form->tmrTrafficTimer();
    fake.network.rows[0].inOctets += 3072;
    fake.network.rows[0].outOctets += 1024;
    form->tmrTrafficTimer();
    EXPECT_EQ(form->look().label(32).text, "D: 3 Kb/s");
    ASSERT_EQ(traffic().series[0].size(), 2u);
    EXPECT_EQ(traffic().series[0].at(1), 3072u);
    EXPECT_EQ(traffic().series[1].at(1), 1024u);
    EXPECT_EQ(traffic().scaleText, "3 Kb/s");
    EXPECT_EQ(traffic().version, before) << "repainted with the refresh tick's labels";
    form->systimerTimer();
    const unsigned published = traffic().version;
    EXPECT_GT(published, before);
    form->systimerTimer();
    EXPECT_EQ(traffic().version, published) << "the same picture is not painted again";
    // Every point stays on the top row while the scale's text changes, as 1010 leaves.
    for (int i = 0; i < 60; ++i) MainWindowAccess::graphs(*form).pushTraffic(i == 0 ? 1010 : 1000, 0, '.');
    MainWindowAccess::graphs(*form).publish();
    const unsigned scaled = traffic().version;
    MainWindowAccess::graphs(*form).pushTraffic(1000, 0, '.');
    MainWindowAccess::graphs(*form).publish();
    EXPECT_EQ(traffic().scaleText, "0.98 Kb/s");
    EXPECT_GT(traffic().version, scaled) << "a stale scale would stay painted";

    MainWindowAccess::graphs(*form).pushLoad(0.375);  // Label4 would read 38
    MainWindowAccess::graphs(*form).pushLoad(-0.01);
    MainWindowAccess::graphs(*form).pushLoad(1.2);
    const History& load = cpu().series[0];  // after the ticks' own values
    ASSERT_GE(load.size(), 3u);
    EXPECT_EQ(load.at(load.size() - 3), 38u);
    EXPECT_EQ(load.at(load.size() - 2), 0u);
    EXPECT_EQ(load.at(load.size() - 1), 100u);

    create();  // Reload builds the window anew from config.ini
    EXPECT_EQ(cpu().series[0].size(), 0u);
    EXPECT_EQ(traffic().series[0].size(), 0u);
}

TEST_F(GraphsWindow, ADraggedGraphKeepsItsPlaceThroughCloseAndStart) {
    build({"savepositions=1"}, {"[Modules]", "CheckBox32=True"});
    EXPECT_EQ(traffic().left, 148) << "no saved place yet: the design's";
    // Graph1 spans 28 to 143 and 232 to 267; Graph2 starts at 148.
    const struct {
        int x, y, graph;
    } presses[] = {{28, 232, 1}, {143, 267, 1}, {144, 240, 0}, {30, 268, 0}, {150, 240, 2}, {30, 200, 0}};
    for (const auto& p : presses) EXPECT_EQ(form->look().graphs.at(p.x, p.y), p.graph) << p.x << "," << p.y;
    form->mouse().GraphMouseDown(1, 4, 4);
    form->mouse().GraphMouseMove(1, 14, 0);  // ten right, four up
    form->mouse().MouseUp(MouseButton::Left);
    form->mouse().GraphMouseMove(1, 40, 40);  // released: no longer follows
    EXPECT_EQ(cpu().left, 38);
    EXPECT_EQ(cpu().top, 228);
    form->FormClose();
    const std::string ini = fake.files.content(kConfigPath);
    EXPECT_NE(
        ini.find("Label36top=0\r\nGraph1left=38\r\nGraph1top=228\r\nGraph2left=148\r\nGraph2top=232\r\n"),
        std::string::npos)
        << ini;

    create();  // the next start reads the file the close wrote
    EXPECT_EQ(cpu().left, 38);
    EXPECT_EQ(cpu().top, 228);

    // Off, the close writes no key of theirs: the file stays as it was before graphs.
    fake.files.put(kConfigPath, "[general]\r\nskin=Default\r\n");
    create();
    form->FormClose();
    EXPECT_EQ(fake.files.content(kConfigPath).find("Graph"), std::string::npos);
}

}  // namespace
}  // namespace tabrix::test
