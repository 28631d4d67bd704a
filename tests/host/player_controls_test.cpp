// The player buttons' click procedure and the song poll.
#include "sources/WAmpMsg.h"
#include "window_fixture.h"
#include "windows/main/OtherPlayer.h"

namespace tabrix::test {
namespace {

constexpr char kPlayerPath[] = "C:\\Program Files\\Winamp\\winamp.exe";

class PlayerControlsTest : public WindowTest {
protected:
    TForm1& startWithPlayerPath(const std::string& path = kPlayerPath) {
        return start({"winamppath=" + path});
    }
    std::vector<uintptr_t> sent() const {
        std::vector<uintptr_t> ids;
        for (const auto& c : player.commands) ids.push_back(c.wParam);
        return ids;
    }
};

TEST_F(PlayerControlsTest, EachButtonSendsItsCommandToARunningPlayerAndStartsNothing) {
    TForm1& f = startWithPlayerPath();
    player.open("Winamp v1.x", "1. A - B - Winamp");
    f.mouse().PlayerPictureClick(kImageBack);
    f.mouse().PlayerPictureClick(kImagePlay);
    f.mouse().PlayerPictureClick(kImagePause);
    f.mouse().PlayerPictureClick(kImageStop);
    f.mouse().PlayerPictureClick(kImageNext);
    EXPECT_EQ((std::vector<uintptr_t>{40044, 40045, 40046, 40047, 40048}), sent());
    // A click the view reports by picture number runs that picture's handler; the skin and
    // the missing Image5 run none.
    for (int image : {6, 2, 3, 4, 7, 1, 5}) f.mouse().PlayerPictureClick(image);
    EXPECT_EQ((std::vector<uintptr_t>{40044, 40045, 40046, 40047, 40048, 40044, 40045, 40046, 40047, 40048}),
              sent());
    for (const auto& c : player.commands) {
        EXPECT_EQ(0x0111u, c.message);
        EXPECT_EQ(0, c.lParam);
    }
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_FALSE(playerStartTimer(f).enabled);
}

TEST_F(PlayerControlsTest, AStoppedPlayerIsStartedHiddenFromItsFolderThenGetsTheCommand) {
    TForm1& f = startWithPlayerPath();
    f.mouse().PlayerPictureClick(kImagePlay);
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ(kPlayerPath, shell.calls[0].file);
    EXPECT_EQ("", shell.calls[0].parameters);
    EXPECT_EQ("C:\\Program Files\\Winamp\\", shell.calls[0].directory);
    EXPECT_EQ(0, shell.calls[0].showCommand);  // SW_HIDE
    // The click returns at once; the wait runs on a timer while the window stays free.
    EXPECT_TRUE(player.commands.empty());
    EXPECT_TRUE(playerStartTimer(f).fires());
    clock.time += 400;
    f.PlayerStartTimerTimer();
    EXPECT_TRUE(player.commands.empty());
    // Clicks during the wait start no second player and are not lost: they follow the
    // first command in the order clicked, even once the player is up before the tick.
    f.mouse().PlayerPictureClick(kImageStop);
    player.open("Winamp v1.x", "Winamp 2.91");
    f.mouse().PlayerPictureClick(kImageNext);
    EXPECT_EQ(1u, shell.calls.size());
    EXPECT_TRUE(player.commands.empty());
    clock.time += 100;
    f.PlayerStartTimerTimer();
    EXPECT_EQ((std::vector<uintptr_t>{40045, 40047, 40048}), sent());
    EXPECT_FALSE(playerStartTimer(f).enabled);
    f.PlayerStartTimerTimer();  // a late tick sends nothing more
    EXPECT_EQ(3u, player.commands.size());
}

TEST_F(PlayerControlsTest, APlayerThatNeverStartsIsGivenUpAfterFiveSeconds) {
    TForm1& f = startWithPlayerPath("0");  // the default: no file at all
    f.mouse().PlayerPictureClick(kImagePause);
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ("0", shell.calls[0].file);
    EXPECT_EQ("", shell.calls[0].directory);  // shorter than the file name
    clock.time += 4999;
    f.PlayerStartTimerTimer();
    EXPECT_TRUE(playerStartTimer(f).enabled);
    clock.time += 1;
    f.PlayerStartTimerTimer();
    EXPECT_FALSE(playerStartTimer(f).enabled);
    // A player that turns up after the limit does not get the stale command.
    player.open("Winamp v1.x", "Winamp 2.91");
    f.PlayerStartTimerTimer();
    EXPECT_TRUE(player.commands.empty());
}

TEST_F(PlayerControlsTest, SongLineIsWrittenOncePerChangeAndAgainAfterEveryRebuild) {
    TForm1& first = start();
    first.WinampTimerTimer();
    EXPECT_EQ("Winamp isn't running     ", first.look().label(14).text);

    const auto window = player.open("Winamp v1.x", "3. Artist - Title - Winamp");
    first.WinampTimerTimer();
    EXPECT_EQ("3. Artist - Title     ", first.look().label(14).text);
    // The same song leaves the line alone (the scrolling moves it meanwhile).
    setLabelText(first, 14, "itle     3. Artist - T");
    first.WinampTimerTimer();
    EXPECT_EQ("itle     3. Artist - T", first.look().label(14).text);

    // The remembered text outlives the window: the rebuild sets it to "foo", so the new
    // window's first poll writes the unchanged song.
    app->rebuildMainWindow();
    EXPECT_EQ("foo", app->stored().rememberedSong);
    TForm1& second = *app->mainWindow();
    EXPECT_EQ("X", second.look().label(14).text);
    second.WinampTimerTimer();
    EXPECT_EQ("3. Artist - Title     ", second.look().label(14).text);

    player.setCaption(window, "4. Other - Song - Winamp");
    second.WinampTimerTimer();
    EXPECT_EQ("4. Other - Song     ", second.look().label(14).text);
}

TEST_F(PlayerControlsTest, WithoutWinampTheOtherPlayerFoundIsFollowedKeptAndPostedItsCommands) {
    TForm1& f = start();
    const Label& line = app->settings()->control<Label>("Label33");
    auto tick = [&](uint32_t ms) {
        clock.time += ms;
        f.systimerTimer();
        f.WinampTimerTimer();
    };
    player.open("TForm1", "Tabrix");
    tick(1000);
    EXPECT_EQ("Winamp isn't running     ", f.look().label(14).text);
    EXPECT_EQ("Player: none found", line.text);
    EXPECT_EQ(0, player.processQuestions);  // no window that may be a player: no snapshot
    // While none is found the windows are looked over every 5 seconds, not every tick.
    const int looks = player.enumerations;
    const auto spotify = player.open("Chrome_WidgetWin_0", "Artist - Title - Live", "Spotify.exe");
    player.open("Chrome_WidgetWin_0", "", "Spotify.exe");
    for (int i = 0; i < 4; ++i) tick(1000);
    EXPECT_EQ(looks, player.enumerations);
    tick(1000);
    EXPECT_EQ("Artist - Title - Live     ", f.look().label(14).text);
    EXPECT_EQ("Player: Spotify", line.text);
    // Paused, it keeps its song; found, it is kept without looking again.
    player.setCaption(spotify, "Spotify Premium");
    for (int i = 0; i < 10; ++i) tick(1000);
    EXPECT_EQ("Artist - Title - Live     ", f.look().label(14).text);
    EXPECT_EQ(looks + 1, player.enumerations);
    EXPECT_TRUE(f.look().label(14).visible);

    // The five buttons are posted (no wait), as the system's media commands.
    f.mouse().PlayerPictureClick(kImageBack);
    f.mouse().PlayerPictureClick(kImagePlay);
    f.mouse().PlayerPictureClick(kImagePause);
    f.mouse().PlayerPictureClick(kImageStop);
    f.mouse().PlayerPictureClick(kImageNext);
    ASSERT_EQ(5u, player.commands.size());
    const intptr_t media[] = {12, 14, 14, 13, 11};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(spotify, player.commands[i].window);
        EXPECT_EQ(0x319u, player.commands[i].message);
        EXPECT_EQ(media[i] << 16, player.commands[i].lParam);
        EXPECT_EQ(0u, player.commands[i].timeoutMs);
    }
    EXPECT_TRUE(shell.calls.empty());

    // A Winamp-class window comes first whenever there is one.
    const auto winamp = player.open("Winamp v1.x", "1. A - B - Winamp");
    tick(1000);
    EXPECT_EQ("1. A - B     ", f.look().label(14).text);
    EXPECT_EQ("Player: Winamp", line.text);
    player.commands.clear();
    f.mouse().PlayerPictureClick(kImageNext);
    EXPECT_EQ((std::vector<uintptr_t>{40048}), sent());
    player.close(winamp);
    player.close(spotify);

    // AIMP: its state is asked every tick.
    const auto aimp = player.open(kAimpName, "", "AIMP.exe");
    tick(5000);
    EXPECT_EQ("Player: AIMP", line.text);
    ASSERT_FALSE(player.commands.empty());
    EXPECT_EQ(kAimpPropertyMessage, player.commands.back().message);
    EXPECT_GT(player.commands.back().timeoutMs, 0u);  // asked, with a limit

    // Gone: the line says so at the next tick, and the search starts again.
    player.close(aimp);
    tick(1000);
    EXPECT_EQ("Winamp isn't running     ", f.look().label(14).text);
    EXPECT_FALSE(f.look().label(14).visible);
    EXPECT_EQ("Player: none found", line.text);
}

}  // namespace
}  // namespace tabrix::test
