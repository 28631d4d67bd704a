// The Settings window's pickers: skins, drives, the interface chooser, dialogs, the
// temperature guard and the start-up shortcut.
#include "settings_window_fixture.h"

namespace tabrix::test {
namespace {

using Pickers = SettingsTest;

TEST_F(Pickers, TheSkinSearchListsMatchesAnywhereInTheNameFolderFilesFirstUnsorted) {
    ui.folders["C:\\Tabrix\\skins\\"] = {{".", true},           {"..", true},           {"old", true},
                                         {"blue.bmp", false},   {"old.bmp.txt", false}, {"readme.txt", false},
                                         {"hidden.BMP", false}, {".x.bmp", false},      {"more", true},
                                         {"Zed.bmp", false}};
    ui.folders["C:\\Tabrix\\skins\\old\\"] = {{"inner.bmp", false}, {"deep", true}, {"a.bmp", false}};
    ui.folders["C:\\Tabrix\\skins\\old\\deep\\"] = {{"deepest.bmp", false}};
    ui.folders["C:\\Tabrix\\skins\\more\\"] = {{"more.bmp", false}};
    EXPECT_EQ(build().control<ComboBox>("ComboBox1").items,
              (std::vector<std::string>{"Default", "blue.bmp", "old.bmp.txt", "hidden.BMP", "Zed.bmp",
                                        "inner.bmp", "a.bmp", "deepest.bmp", "more.bmp"}));
}

TEST_F(Pickers, AFolderThatHoldsItselfEndsTheSearch) {
    ui.folders["C:\\Tabrix\\skins\\"] = {{"a.bmp", false}, {"loop", true}};
    std::string folder = "C:\\Tabrix\\skins\\loop\\";
    for (int i = 0; i < 40; ++i) {
        ui.folders[folder] = {{"loop", true}};
        folder += "loop\\";
    }
    EXPECT_EQ(build().control<ComboBox>("ComboBox1").items, (std::vector<std::string>{"Default", "a.bmp"}));
}

TEST_F(Pickers, TheDriveListHas26EntriesWithTypeLabelsAndTheFilesSelection) {
    ui.drives = {{"A:\\", 2}, {"C:\\", 3}, {"D:\\", 5}, {"E:\\", 4}, {"F:\\", 6}, {"G:\\", 0}};
    fake.files.put(kDrives, "3\r\n4");
    TForm3& f = build();
    ASSERT_EQ(f.control<ListBox>("ListBox1").items.size(), 26u);
    EXPECT_EQ(f.control<ListBox>("ListBox1").items[0], "A:\\ Floppy Drive");
    EXPECT_EQ(f.control<ListBox>("ListBox1").items[1], "B:\\ Unknown");
    EXPECT_EQ(f.control<ListBox>("ListBox1").items[2], "C:\\ Fixed Drive");
    EXPECT_EQ(f.control<ListBox>("ListBox1").items[3], "D:\\ CD-ROM Drive");
    EXPECT_EQ(f.control<ListBox>("ListBox1").items[4], "E:\\ Network Drive");
    EXPECT_EQ(f.control<ListBox>("ListBox1").items[5], "F:\\ RAM Disk");
    EXPECT_EQ(f.control<ListBox>("ListBox1").items[6], "G:\\ Unknown");
    EXPECT_EQ(f.control<ListBox>("ListBox1").items[25], "Z:\\ Unknown");
    std::vector<bool> expected(26, false);
    expected[2] = expected[3] = true;
    EXPECT_EQ(f.control<ListBox>("ListBox1").selected, expected);
}

TEST_F(Pickers, DriveLinesOutsideOneTo26AreIgnoredAndAMissingFileSelectsNothing) {
    fake.files.put(kDrives, "0\r\n27\r\n-3\nabc\r5\r\n\r\n26\r\n");
    TForm3& f = build();
    std::vector<bool> expected(26, false);
    expected[4] = expected[25] = true;
    EXPECT_EQ(f.control<ListBox>("ListBox1").selected, expected);
    fake.files.remove(kDrives);
    EXPECT_EQ(build().control<ListBox>("ListBox1").selected, std::vector<bool>(26, false));
}

TEST_F(Pickers, TheInterfaceChooserQueriesOnChangesAndOnTheModulesPage) {
    fake.network.rows = {
        {0, 0, 0, "Loopback"}, {0, 0, 0, "Ethernet adapter"}, {0, 0, 0, std::string("Wi\0junk", 7)}};
    general({"ipinterface=0"});
    TForm3& f = build();
    EXPECT_EQ(fake.network.calls, 0);  // ipinterface 0: no query yet
    EXPECT_EQ(f.control<UpDown>("ScrollBar1").max, 100);
    f.PageControl1Change(2);
    EXPECT_EQ(fake.network.calls, 1);
    EXPECT_EQ(f.control<UpDown>("ScrollBar1").max, 5);
    EXPECT_FALSE(f.interfaceRange);
    EXPECT_EQ(f.control<Label>("Label31").text, "Loopback");
    EXPECT_EQ(f.control<Label>("Label12").text, "Move your mouse over the labels to get more information.");
    f.ScrollBar1Moved(2);
    EXPECT_EQ(f.control<Edit>("Edit7").text, "2");
    EXPECT_EQ(f.control<Label>("Label31").text, "Wi");
    // Past the rows the system returned: nothing, never stale text.
    f.ScrollBar1Moved(4);
    EXPECT_EQ(f.control<Label>("Label31").text, "");
    f.ScrollBar1Moved(9);
    EXPECT_EQ(f.control<UpDown>("ScrollBar1").position, 5);
    f.ScrollBar1Moved(1);
    EXPECT_EQ(f.control<Label>("Label31").text, "Ethernet adapter");
    fake.network.result = InterfaceTableResult::Failed;
    f.ScrollBar1Moved(0);
    EXPECT_EQ(f.control<Label>("Label31").text, "Ethernet adapter");
    fake.network.result = InterfaceTableResult::NoLibrary;
    f.ScrollBar1Moved(1);
    EXPECT_EQ(f.control<Label>("Label31").text, "Ethernet adapter");
    fake.network.result = InterfaceTableResult::NoFunction;
    f.Show();
    f.ScrollBar1Moved(2);
    EXPECT_FALSE(f.visible);
}

TEST_F(Pickers, AStoredInterfaceQueriesAtTheBuildAndTextThatIsNoNumberSaysSo) {
    fake.network.rows = {{0, 0, 0, "Loopback"}, {0, 0, 0, "Ethernet adapter"}};
    general({"ipinterface=1"});
    TForm3& f = build();
    EXPECT_EQ(f.control<Label>("Label31").text, "Ethernet adapter");
    EXPECT_EQ(f.control<UpDown>("ScrollBar1").max, 5);
    general({"ipinterface=x"});
    TForm3& g = build();
    EXPECT_EQ(g.control<Edit>("Edit7").text, "x");
    EXPECT_EQ(g.control<Label>("Label31").text, "Invalid Input!");
    g.Button1Click();
    EXPECT_NE(config().find("\r\nipinterface=x\r\n"), std::string::npos);
    // A file that names none shows the interface the traffic meter picks, and Save keeps it.
    fake.network.rows = {
        {0, 0, 0, "Loopback", 24, 5}, {0, 0, 0, "Ethernet adapter", 6, 2}, {0, 0, 0, "Wi", 71, 5}};
    general({});
    TForm3& h = build();
    EXPECT_EQ(h.control<Edit>("Edit7").text, "2");
    EXPECT_EQ(h.control<Label>("Label31").text, "Wi");
    h.Button1Click();
    EXPECT_NE(config().find("\r\nipinterface=2\r\n"), std::string::npos);
}

TEST_F(Pickers, TheTemperatureGuardTakesAnyKeyBackToCelsius) {
    general({"Temp_label=*F"});
    TForm3& f = build();
    f.pickers.ComboBox2KeyPress();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "You can only choose from 2 options!");
    EXPECT_EQ(ui.boxes[0].caption, "");
    EXPECT_EQ(f.control<ComboBox>("ComboBox2").text, "*C");
    f.TextChanged(f.control<ComboBox>("ComboBox2"), "*F");  // picked from the list
    EXPECT_EQ(f.control<ComboBox>("ComboBox2").text, "*F");
}

TEST_F(Pickers, FontColourAndPathDialogsStartFromTheControlsAndKeepACancel) {
    general({"font=Arial", "fontsize=9", "fontcolor=clRed", "winamppath=c:\\wa", "savepath=c:\\out"});
    TForm3& f = build();
    ui.confirm = false;
    f.pickers.Button5Click();
    f.pickers.Button7Click();
    f.pickers.Button6Click();
    f.pickers.Button8Click();
    EXPECT_EQ(ui.fontDialogs, (std::vector<std::pair<std::string, int>>{{"Arial", 9}}));
    EXPECT_EQ(ui.colorDialogs, std::vector<uint32_t>{0xFF});
    EXPECT_EQ(f.control<Label>("Label18").text, "Arial");
    EXPECT_EQ(f.control<Label>("Label16").text, "9");
    EXPECT_EQ(f.control<Edit>("Edit3").text, "c:\\wa");
    ASSERT_EQ(ui.openDialogs.size(), 1u);
    EXPECT_EQ(ui.openDialogs[0].filterName, "Winamp Executable");
    EXPECT_EQ(ui.openDialogs[0].filterPattern, "winamp.exe");
    EXPECT_EQ(ui.openDialogs[0].fileName, "winamp.exe");
    EXPECT_EQ(ui.openDialogs[0].folder, "c:\\wa");
    ASSERT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ui.saveDialogs[0].filterName, "PHP or XML File");
    EXPECT_EQ(ui.saveDialogs[0].filterPattern, "*.");
    EXPECT_EQ(ui.saveDialogs[0].fileName, "stats");
    EXPECT_EQ(ui.saveDialogs[0].folder, "c:\\out");

    ui.confirm = true;
    f.pickers.Button5Click();
    f.pickers.Button7Click();
    f.pickers.Button6Click();
    EXPECT_EQ(f.control<Label>("Label18").text, "Verdana");
    EXPECT_EQ(f.control<Label>("Label16").text, "10");
    EXPECT_EQ(f.control<Label>("Label17").font.color, 0x0080FF40u);
    EXPECT_EQ(f.control<Edit>("Edit3").text, "C:\\chosen\\file");
    ui.chosenPath = "c:\\web\\stats";
    f.pickers.Button8Click();
    EXPECT_EQ(f.control<Edit>("Edit1").text, "c:\\web\\stats");
    f.Button1Click();
    EXPECT_NE(config().find("font=Verdana\r\nfontsize=10\r\nfontcolor=$0080FF40\r\n"), std::string::npos);
}

TEST_F(Pickers, InsAndDelTwiceSayWhatHappenedToTheShortcut) {
    TForm3& f = build();
    const std::string link = "C:\\Users\\me\\Start Menu\\Programs\\Startup\\Tabrix.lnk";
    f.pickers.Button2Click();
    f.pickers.Button2Click();
    ASSERT_EQ(ui.links.size(), 2u);
    EXPECT_EQ(ui.links[0].path, link);
    EXPECT_EQ(ui.links[0].target, "C:\\Tabrix\\Tabrix.exe");
    EXPECT_EQ(ui.links[0].workingDir, "C:\\Tabrix\\");
    f.pickers.Button4Click();
    f.pickers.Button4Click();
    EXPECT_FALSE(fake.files.exists(link));
    ASSERT_EQ(ui.boxes.size(), 3u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ui.boxes[i].text, "Tabrix will now start during startup.");
        EXPECT_EQ(ui.boxes[i].caption, "Tabrix");
    }
    EXPECT_EQ(ui.boxes[2].text, "Tabrix was removed from startup");
    EXPECT_EQ(ui.boxes[2].caption, "Tabrix");

    ui.boxes.clear();
    ui.failSave = true;
    f.pickers.Button2Click();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Tabrix could not be added to startup: Access is denied.");
    EXPECT_FALSE(fake.files.exists(link));
    ui.failCreate = true;
    EXPECT_EQ(errorOf([&] { f.pickers.Button2Click(); }), "Class not registered");
    EXPECT_EQ(ui.boxes.size(), 1u);
}

}  // namespace
}  // namespace tabrix::test
