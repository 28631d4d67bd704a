// Tray icon, popup menu, keys, system menu and the close, reload and update paths.
#include "window_fixture.h"

namespace tabrix::test {
namespace {

using TrayMenuTest = WindowTest;

std::vector<std::string> visibleNames(const std::vector<MenuItem>& items) {
    std::vector<std::string> names;
    for (const MenuItem& m : items)
        if (m.visible) names.push_back(m.name);
    return names;
}

TEST_F(TrayMenuTest, MenuHasItsEntriesInOrderHiddenOnesOffAndAPictureOnEachEntry) {
    TForm1& f = start();
    EXPECT_EQ((std::vector<std::string>{"Show1", "-", "Reload", "Settings1", "About1", "SavePosition1",
                                        "Help1", "Misc1", "ClickThrough1", "-", "Exit1"}),
              visibleNames(f.events().pmenu1()));
    EXPECT_FALSE(findMenuItem(f.events().pmenu1(), "Update1").visible);
    EXPECT_FALSE(findMenuItem(f.events().pmenu1(), "Plugins1").visible);
    EXPECT_FALSE(findMenuItem(f.events().pmenu1(), "SystemInfo1").visible);
    EXPECT_EQ("Copy IP address", findMenuItem(f.events().pmenu1(), "CopyIPaddress1").caption);
    EXPECT_EQ("Copy CPU name", findMenuItem(f.events().pmenu1(), "CopyCPUname1").caption);
    std::vector<int> icons;
    // A switch shows the system's check mark where the others have their picture.
    for (const MenuItem& m : f.events().pmenu1())
        if (m.visible && !m.separator() && m.name != "ClickThrough1") icons.push_back(m.icon);
    for (const MenuItem& m : findMenuItem(f.events().pmenu1(), "Misc1").items) icons.push_back(m.icon);
    for (size_t i = 0; i < icons.size(); ++i)
        for (size_t j = 0; j < i; ++j) EXPECT_NE(icons[i], icons[j]);
    for (int icon : icons) EXPECT_GT(icon, 0);
}

TEST_F(TrayMenuTest, TrayRightButtonOpensTheMenuAtThePointerThenRunsTheChoice) {
    TForm1& f = start({"SysTrayIcon=1"});
    windows.choice = kMenuShow;
    f.events().TrayIconCallback(516);
    EXPECT_EQ((std::vector<std::string>{"foreground", "cursor", "popup", "null"}), windows.log);
    EXPECT_EQ(300, windows.lastAt.x);
    EXPECT_EQ(400, windows.lastAt.y);
    EXPECT_FALSE(f.look().window.visible);  // the chosen entry ran after the menu closed
    EXPECT_EQ("Hide", windows.lastMenu[0].caption);

    // The context menu opens at the pointer without the tray's extra steps.
    windows.log.clear();
    windows.choice = 0;
    f.events().FormContextPopup();
    EXPECT_EQ((std::vector<std::string>{"cursor", "popup"}), windows.log);
    EXPECT_EQ("Show", windows.lastMenu[0].caption);

    windows.log.clear();
    f.events().TrayIconCallback(512);  // mouse move, any other message
    f.events().TrayIconCallback(517);
    EXPECT_TRUE(windows.log.empty());
    EXPECT_FALSE(f.look().window.visible);
}

TEST_F(TrayMenuTest, EscTrayLeftButtonAndTheEntryToggleOneStateAndTheCaptionFollows) {
    TForm1& f = start({"SysTrayIcon=1"});
    EXPECT_EQ("Hide", findMenuItem(f.events().pmenu1(), "Show1").caption);
    f.events().FormKeyDown(27);
    EXPECT_FALSE(f.look().window.visible);
    EXPECT_EQ("Show", findMenuItem(f.events().pmenu1(), "Show1").caption);
    f.events().TrayIconCallback(513);
    EXPECT_TRUE(f.look().window.visible);
    EXPECT_EQ("Hide", findMenuItem(f.events().pmenu1(), "Show1").caption);
    menuCommand(f, kMenuShow);
    EXPECT_FALSE(f.look().window.visible);
    EXPECT_EQ("Show", findMenuItem(f.events().pmenu1(), "Show1").caption);
    f.events().TrayIconCallback(513);
    EXPECT_TRUE(f.look().window.visible);
}

TEST_F(TrayMenuTest, AHideOrShowFromOutsideIsWhereTheToggleStartsFrom) {
    TForm1& f = start({"SysTrayIcon=1"});
    // Another copy's start-up hid the window: the record and the entry follow.
    f.events().VisibilityChanged(false);
    EXPECT_FALSE(f.look().window.visible);
    EXPECT_EQ("Show", findMenuItem(f.events().pmenu1(), "Show1").caption);
    f.events().TrayIconCallback(513);  // one click shows it again
    EXPECT_TRUE(f.look().window.visible);
    EXPECT_EQ("Hide", findMenuItem(f.events().pmenu1(), "Show1").caption);
    f.events().VisibilityChanged(false);
    menuCommand(f, kMenuShow);
    EXPECT_TRUE(f.look().window.visible);
    // Shown from outside while the program had hidden it: the next Esc hides it.
    f.events().FormKeyDown(27);
    f.events().VisibilityChanged(true);
    EXPECT_EQ("Hide", findMenuItem(f.events().pmenu1(), "Show1").caption);
    f.events().FormKeyDown(27);
    EXPECT_FALSE(f.look().window.visible);
    EXPECT_EQ("Show", findMenuItem(f.events().pmenu1(), "Show1").caption);
}

TEST_F(TrayMenuTest, KeysHelpSettingsWidthAndNothingElse) {
    TForm1& f = start();
    const int width = f.look().window.width;
    for (int i = 0; i < 5; ++i) f.events().FormKeyDown(187);
    EXPECT_EQ(width + 25, f.look().window.width);
    EXPECT_EQ(width + 25, f.look().image(1).width);
    // Label2 is centred again on each width change.
    EXPECT_EQ((width + 25) / 2 - f.look().label(2).width / 2, f.look().label(2).left);
    f.events().FormKeyDown(189);
    EXPECT_EQ(width + 20, f.look().window.width);

    f.events().FormKeyDown(112);
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ("tabrix.chm", shell.calls[0].file);
    EXPECT_EQ("", shell.calls[0].directory);
    EXPECT_EQ(1, shell.calls[0].showCommand);  // SW_SHOWNORMAL
    f.events().FormKeyDown(113);
    EXPECT_EQ("settings", host.log.back());

    const size_t logged = host.log.size();
    for (int key : {13, 32, 107, 109, 65, 114}) f.events().FormKeyDown(key);
    EXPECT_EQ(logged, host.log.size());
    EXPECT_EQ(1u, shell.calls.size());
    EXPECT_TRUE(f.look().window.visible);
    EXPECT_EQ(width + 20, f.look().window.width);
}

TEST_F(TrayMenuTest, SystemMenuSessionEndAndActivation) {
    TForm1& f = start();
    EXPECT_FALSE(f.events().SysCommand(0x401));
    EXPECT_EQ("about", host.log.back());
    EXPECT_TRUE(f.events().SysCommand(0xF012));
    EXPECT_TRUE(f.events().SysCommand(0xF061));  // not exactly SC_CLOSE
    EXPECT_TRUE(f.look().window.visible);
    EXPECT_TRUE(f.events().SysCommand(0xF060));
    EXPECT_FALSE(f.look().window.visible);  // hidden before the default handling closes it

    f.events().EndSession(false);
    EXPECT_NE("close", host.log.back());
    f.events().EndSession(true);
    EXPECT_EQ("close", host.log.back());

    f.events().FormActivate();
    ASSERT_EQ(1u, windows.placements.size());
    const OwnerPlacement& p = windows.placements[0];
    EXPECT_EQ(44u, p.length);
    EXPECT_EQ(1u, p.flags);
    EXPECT_EQ(0u, p.showCommand);
    EXPECT_EQ(-1000, p.minPosition.x);
    EXPECT_EQ(-1000, p.minPosition.y);
}

TEST_F(TrayMenuTest, CloseHandlerSavesPositionThenEveryLabelUnderItsExactName) {
    TForm1& f = start({"SysTrayIcon=1"});
    f.Moved(40, 50);
    mutableLabel(f, 34).left = 70;
    menuCommand(f, kMenuExit);
    EXPECT_EQ("close", host.log.back());
    ASSERT_EQ(1u, fake.tray.removed.size());
    EXPECT_FALSE(f.look().tray.added);

    const std::string ini = config();
    const size_t position = ini.find("[position]\r\nleft=40\r\ntop=50\r\n");
    const size_t labels = ini.find("[Labels]\r\nLabel2left=");
    ASSERT_NE(std::string::npos, position);
    ASSERT_NE(std::string::npos, labels);
    EXPECT_LT(position, labels);
    EXPECT_NE(std::string::npos, ini.find("label34left=70\r\nlabel34top=24\r\n"));
    EXPECT_EQ(std::string::npos, ini.find("Label34"));
    EXPECT_NE(std::string::npos, ini.find("Label35top=104\r\nLabel36left=160\r\nLabel36top=216\r\n"));
    EXPECT_NE(std::string::npos, ini.find("FormWidth=" + std::to_string(f.look().window.width) + "\r\n"));
    EXPECT_NE(std::string::npos, ini.find("FormHeight=" + std::to_string(f.look().window.height) + "\r\n"));
    EXPECT_TRUE(fake.ui.boxes.empty());
}

TEST_F(TrayMenuTest, ClickThroughNeedsTheTrayIconAndItsEntryTogglesAndSavesIt) {
    TForm1& f = start({"SysTrayIcon=1", "clickthrough=1"});
    const MenuItem* entry = &findMenuItem(f.events().pmenu1(), "ClickThrough1");
    EXPECT_TRUE(f.look().window.clickThrough && f.look().window.layered() && entry->checked &&
                entry->enabled);
    menuCommand(f, kMenuClickThrough);
    EXPECT_FALSE(f.look().window.clickThrough || f.look().window.layered() || entry->checked);
    EXPECT_NE(std::string::npos, config().find("clickthrough=0\r\n"));
    menuCommand(f, kMenuClickThrough);
    EXPECT_TRUE(f.look().window.clickThrough && entry->checked);
    EXPECT_NE(std::string::npos, config().find("clickthrough=1\r\n"));

    // Without the tray icon nothing could turn it off again: never on, and the entry is greyed.
    TForm1& alone = start({"SysTrayIcon=0", "clickthrough=1"});
    entry = &findMenuItem(alone.events().pmenu1(), "ClickThrough1");
    EXPECT_FALSE(alone.look().window.clickThrough || entry->enabled || entry->checked);
    menuCommand(alone, kMenuClickThrough);
    EXPECT_FALSE(alone.look().window.clickThrough);
    EXPECT_NE(std::string::npos, config().find("clickthrough=1\r\n"));
}

TEST_F(TrayMenuTest, UnwritableConfigGivesBothMessagesAndTheCloseGoesOn) {
    TForm1& f = start();
    fake.files.setReadOnly(kConfigPath);
    menuCommand(f, kMenuSavePosition);
    ASSERT_EQ(1u, fake.ui.boxes.size());
    EXPECT_EQ("Cannot Save settings!", fake.ui.boxes[0].text);
    EXPECT_EQ("Tabrix", fake.ui.boxes[0].caption);
    menuCommand(f, kMenuExit);
    ASSERT_EQ(3u, fake.ui.boxes.size());
    EXPECT_EQ("Cannot Save settings!", fake.ui.boxes[1].text);
    EXPECT_EQ("Cannot save settings!", fake.ui.boxes[2].text);
    EXPECT_TRUE(fake.tray.removed.empty());  // SysTrayIcon is "0"
}

TEST_F(TrayMenuTest, ReloadIsDeferredThenRebuildsWithoutTheCloseHandler) {
    TForm1& f = start({"SysTrayIcon=1", "savepositions=1"});
    mutableLabel(f, 5).left = 99;  // dragged, never saved
    const std::string before = config();
    menuCommand(f, kMenuReload);
    // Nothing is destroyed under the handler that asked.
    EXPECT_EQ("post rebuild", host.log.back());
    EXPECT_EQ(&f, app->mainWindow());

    host.log.clear();
    app->rebuildMainWindow();
    EXPECT_EQ((std::vector<std::string>{"destroying", "creating", "created"}), host.log);
    ASSERT_EQ(1u, fake.tray.removed.size());
    EXPECT_EQ(2u, fake.tray.added.size());
    EXPECT_EQ(before, config());                            // no close handler
    EXPECT_EQ(0, app->mainWindow()->look().label(5).left);  // savepositions: the missing key gives 0
    EXPECT_EQ("foo", app->stored().rememberedSong);
    EXPECT_TRUE(app->mainWindow()->look().window.visible);
    EXPECT_EQ("Hide", findMenuItem(app->mainWindow()->events().pmenu1(), "Show1").caption);
}

TEST_F(TrayMenuTest, UpdateRemovesTheIconStartsTheUpdaterAndEndsWithoutSaving) {
    TForm1& f = start();  // no icon was added: it is removed all the same
    const std::string before = config();
    menuCommand(f, kMenuUpdate);
    ASSERT_EQ(1u, fake.tray.removed.size());
    ASSERT_EQ(1u, fake.ui.boxes.size());
    EXPECT_EQ("Tabrix will now shut down for the update process", fake.ui.boxes[0].text);
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ("update.exe", shell.calls[0].file);
    EXPECT_EQ("/version 0.50", shell.calls[0].parameters);
    EXPECT_EQ("C:\\Tabrix\\", shell.calls[0].directory);
    EXPECT_EQ(0, shell.calls[0].showCommand);
    EXPECT_EQ("terminate", host.log.back());
    EXPECT_EQ(before, config());
}

TEST_F(TrayMenuTest, CopyEntriesPutTheLabelTextsOnTheClipboard) {
    TForm1& f = start({"showip=1"});
    menuCommand(f, kMenuCopyIp);
    menuCommand(f, kMenuCopyCpu);
    EXPECT_EQ((std::vector<std::string>{f.look().label(31).text, f.look().label(2).text}), clipboard.texts);
}

TEST_F(TrayMenuTest, RestartedShellGetsTheIconBackOnlyWhenConfigured) {
    TForm1& f = start({"SysTrayIcon=1"});
    f.events().TaskbarCreated();
    EXPECT_EQ(2u, fake.tray.added.size());
    EXPECT_TRUE(f.look().tray.added);
    app->rebuildMainWindow();
    // A later rebuild without the icon configured leaves the shell's restart alone.
    fake.files.put(kConfigPath, "[general]\r\nskin=Default\r\nSysTrayIcon=0\r\n");
    app->rebuildMainWindow();
    app->mainWindow()->events().TaskbarCreated();
    EXPECT_EQ(3u, fake.tray.added.size());
    EXPECT_FALSE(app->mainWindow()->look().tray.added);
}

}  // namespace
}  // namespace tabrix::test
