// The Settings window inside the program: shown by the main window, previews on it, and
// Save replacing it through the same path as Reload.
#include "window_fixture.h"
#include "windows/settings/Unit3.h"

namespace tabrix::test {
namespace {

class SettingsApp : public WindowTest {};

TEST_F(SettingsApp, PreviewsChangeTheLiveMainWindowAndSaveRebuildsItFromTheFile) {
    TForm1& main = start({"SysTrayIcon=1", "alpha=200"});
    TForm3& settings = *app->settings();
    EXPECT_FALSE(settings.visible);
    EXPECT_FALSE(settings.previewed);
    EXPECT_EQ(main.look().window.alpha, 200);  // the build's slider change previews the same value
    EXPECT_TRUE(main.look().window.alphaBlend);

    main.events().FormKeyDown(113);  // F2
    EXPECT_TRUE(settings.visible);
    settings.TrackBar1Moved(255);
    EXPECT_FALSE(main.look().window.alphaBlend);
    settings.TrackBar1Moved(0);
    EXPECT_TRUE(main.look().window.alphaBlend);
    EXPECT_EQ(main.look().window.alpha, 0);
    settings.TextChanged(settings.control<ComboBox>("ComboBox1"), "Defaul");
    settings.TextChanged(settings.control<ComboBox>("ComboBox1"), "Default");
    EXPECT_TRUE(main.look().image(1).bitmap.empty());

    host.log.clear();
    settings.Button1Click();
    EXPECT_EQ(host.log, std::vector<std::string>{"post rebuild"});
    EXPECT_NE(config().find("\r\nalpha=0\r\n"), std::string::npos);
    const size_t removedBefore = fake.tray.removed.size();
    app->rebuildMainWindow();
    EXPECT_GT(fake.tray.removed.size(), removedBefore);
    EXPECT_EQ(app->stored().rememberedSong, "foo");
    EXPECT_EQ(app->mainWindow()->look().window.alpha, 0);
    EXPECT_TRUE(app->mainWindow()->look().window.alphaBlend);
    EXPECT_FALSE(app->mainWindow()->look().image(1).bitmap.empty());  // the file's skin again
    EXPECT_EQ(app->settings(), &settings);                            // built once, kept
}

TEST_F(SettingsApp, TheMenuEntryShowsTheWindowAndCloseWithoutPreviewLeavesTheMainWindow) {
    TForm1& main = start();
    menuCommand(main, kMenuSettings);
    EXPECT_TRUE(app->settings()->visible);
    host.log.clear();
    app->settings()->Button3Click();
    EXPECT_FALSE(app->settings()->visible);
    EXPECT_TRUE(host.log.empty());
}

}  // namespace
}  // namespace tabrix::test
