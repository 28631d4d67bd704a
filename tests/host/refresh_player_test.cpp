// Which of the player's labels and buttons a refresh tick shows.
#include "refresh_fixture.h"

namespace tabrix::test {
namespace {

TEST_F(RefreshTest, ButtonsFollowWinampButtonsStay) {
    struct Case {
        const char* stay;
        bool running;
        int expected;  // -1: as they were
    };
    const Case cases[] = {{"0", false, 0}, {"0", true, 1}, {"1", false, 1}, {"1", true, 1},
                          {"2", false, 0}, {"2", true, 0}, {"x", true, -1}, {"00", false, -1}};
    for (const Case& c : cases) {
        build({std::string("winampbuttonsstay=") + c.stay});
        const PlayerWindow::Handle player = c.running ? startPlayer() : 0;
        for (bool before : {false, true}) {
            for (int n : {6, 2, 3, 4, 7}) mutableImage(*form, n).visible = before;
            tick();
            EXPECT_EQ(c.expected == -1 ? int(before) : c.expected, buttons())
                << c.stay << " running " << c.running << " before " << before;
        }
        fake.player.close(player);
    }
}

TEST_F(RefreshTest, SongLabelsNeedPlayerNoSelfDrawAndTheModule) {
    build({});
    tick();
    EXPECT_TRUE(songHidden());
    const PlayerWindow::Handle player = startPlayer();
    tick();
    EXPECT_TRUE(songShown());
    fake.player.close(player);
    tick();
    EXPECT_TRUE(songHidden());

    startPlayer();
    build({"SelfDrawEnabled=1"});
    tick();
    EXPECT_TRUE(songHidden());
    build({"SelfDrawEnabled=2"});  // anything but "0" keeps them hidden
    tick();
    EXPECT_TRUE(songHidden());
    build({}, {"[modules]", "CheckBox22=false"});  // only the exact word switches it off
    tick();
    EXPECT_TRUE(songShown());
    build({}, {"[modules]", "CheckBox22=False"});
    tick();
    EXPECT_TRUE(songHidden());
}

// The player quits between the first and the last question of one tick.
class QuittingPlayer : public FakePlayerWindow {
public:
    Handle find(const std::string& className) override {
        if (++asked == quitAt) close(window);
        return FakePlayerWindow::find(className);
    }
    Handle window = 0;
    int asked = 0;
    int quitAt = 0;
};

TEST_F(RefreshTest, APlayerQuittingDuringTheTickHidesItsLabelsInThatTick) {
    QuittingPlayer player;
    replace(fake.system, player);
    build({"winampbuttonsstay=1"});  // the buttons ask nothing
    player.window = player.open(kPlayerClass, "A - B - Winamp");
    player.quitAt = 2;
    tick();
    EXPECT_EQ(2, player.asked);
    EXPECT_TRUE(songHidden());
    EXPECT_EQ(1, buttons());
}

}  // namespace
}  // namespace tabrix::test
