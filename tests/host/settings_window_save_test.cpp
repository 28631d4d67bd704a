// Save, Close and the live previews of the Settings window.
#include "../test_bitmaps.h"
#include "settings_window_fixture.h"

namespace tabrix::test {
namespace {

using Save = SettingsTest;

const char kFreshConfig[] =
    "[general]\r\nfont=Tahoma\r\nfontsize=8\r\nfontcolor=clBlack\r\nwinamppath=0\r\noutputinterval=0\r\n"
    "winampbuttonsstay=0\r\nipserver=0\r\nTemp_label=*C\r\nskin=N/A\r\ntransparent=0\r\nalpha=255\r\n"
    "savepath=\r\noutput=0\r\nshowbar=1\r\nontop=0\r\nenablexml=0\r\nenablephp=0\r\nenablejson=0\r\n"
    "enablemetrics=0\r\nmetricspath=\r\nshowip=0\r\n"
    "xpwinampicons=1\r\nipinterval=0\r\nscrollenabled=0\r\nipinterface=0\r\nShowUsed=0\r\n"
    "SelfDrawEnabled=0\r\nSysTrayIcon=0\r\nshowbanner=-1\r\nShouldGetDisk=1\r\nAllowPositionChange=1\r\n"
    "hidefullscreen=0\r\n[Modules]\r\nCheckBox11=True\r\nCheckBox12=True\r\nCheckBox13=True\r\nCheckBox14="
    "True\r\n"
    "CheckBox15=True\r\nCheckBox16=True\r\nCheckBox17=True\r\nCheckBox18=True\r\nCheckBox19=True\r\n"
    "CheckBox20=True\r\nCheckBox21=True\r\nCheckBox22=True\r\nCheckBox23=True\r\nCheckBox24=True\r\n"
    "CheckBox28=True\r\nCheckBox31=True\r\nCheckBox32=False\r\n";

TEST_F(Save, IntoAnEmptyFolderWritesEveryKeyOnceInOrder) {
    TForm3& f = build();
    f.Show();
    owner.log.clear();
    f.Button1Click();
    EXPECT_EQ(config(), kFreshConfig);
    EXPECT_EQ(fake.files.writeCount(kConfig), 1);
    EXPECT_TRUE(fake.files.exists(kDrives));
    EXPECT_EQ(fake.files.content(kDrives), "");
    EXPECT_FALSE(f.visible);
    EXPECT_EQ(owner.log, std::vector<std::string>{"replace"});
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(Save, AHandEditedFileKeepsItsCommentsOtherKeysAndOrder) {
    fake.files.put(kConfig,
                   "; my settings\r\n[position]\r\nleft=10\r\ntop=20\r\n[general]\r\nshowip=1\r\n"
                   "lasterror=Bad IP Server\r\nnote without equals\r\nskin=Ocean.bmp\r\n\r\n"
                   "[modules]\r\nCheckBox12=False\r\n[Labels]\r\nLabel2left=5\r\n");
    TForm3& f = build();
    f.Clicked(f.control<CheckBox>("CheckBox12"));  // back on
    f.Clicked(f.control<CheckBox>("CheckBox14"));  // off
    f.Button1Click();
    const std::string text = config();
    EXPECT_EQ(text.substr(0, 90),
              "; my settings\r\n[position]\r\nleft=10\r\ntop=20\r\n[general]\r\nshowip=1\r\nlasterror=Bad IP "
              "Server\r\n");
    EXPECT_NE(text.find("note without equals\r\nskin=Ocean.bmp\r\nfont=Tahoma\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("AllowPositionChange=1\r\nhidefullscreen=0\r\n\r\n[modules]\r\nCheckBox12=True\r\n"
                        "CheckBox11=True\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("CheckBox14=False\r\n"), std::string::npos);
    EXPECT_NE(text.find("CheckBox31=True\r\nCheckBox32=False\r\n[Labels]\r\nLabel2left=5\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(fake.files.writeCount(kConfig), 1);
}

TEST_F(Save, TheIpIntervalIsCheckedBeforeAnythingIsWritten) {
    struct Case {
        const char* typed;
        bool message;
        const char* field;
        const char* written;
    };
    const Case cases[] = {{"30000", true, "60000", "60000"},  {"0", false, "0", "0"},
                          {"-5", true, "60000", "60000"},     {"60000", false, "60000", "60000"},
                          {"90000", false, "90000", "90000"}, {"00", false, "0", "0"}};
    for (const Case& c : cases) {
        fake.files.remove(kConfig);
        ui.boxes.clear();
        TForm3& f = build();
        f.TextChanged(f.control<Edit>("Edit2"), c.typed);  // disabled: Show External IP is off, still checked
        f.Button1Click();
        EXPECT_EQ(f.control<Edit>("Edit2").text, c.field) << c.typed;
        EXPECT_NE(config().find(std::string("\r\nipinterval=") + c.written + "\r\n"), std::string::npos)
            << c.typed;
        ASSERT_EQ(ui.boxes.size(), c.message ? 1u : 0u) << c.typed;
        if (c.message) {
            EXPECT_EQ(ui.boxes[0].text, "You cannot update IP address in intervals of less than 1 minute.");
            EXPECT_EQ(ui.boxes[0].caption, "Tabrix");
        }
    }
}

TEST_F(Save, LettersOrARefusedWriteLeaveBothFilesAndTheMainWindowAlone) {
    fake.files.put(kConfig, "[general]\r\nskin=Default\r\n");
    fake.files.put(kDrives, "3\r\n");
    TForm3& f = build();
    f.Show();
    owner.log.clear();
    f.TextChanged(f.control<Edit>("Edit2"), "abc");
    f.Clicked(f.control<CheckBox>("CheckBox1"));
    EXPECT_EQ(errorOf([&] { f.Button1Click(); }), "'abc' is not a valid integer value");
    f.TextChanged(f.control<Edit>("Edit2"), "");
    EXPECT_EQ(errorOf([&] { f.Button1Click(); }), "'' is not a valid integer value");
    EXPECT_EQ(config(), "[general]\r\nskin=Default\r\n");
    EXPECT_EQ(fake.files.content(kDrives), "3\r\n");

    f.TextChanged(f.control<Edit>("Edit2"), "0");
    fake.files.setReadOnly(kConfig);
    EXPECT_EQ(errorOf([&] { f.Button1Click(); }), "Unable to write to C:\\Tabrix\\config.ini");
    EXPECT_EQ(config(), "[general]\r\nskin=Default\r\n");
    EXPECT_EQ(fake.files.content(kDrives), "3\r\n");
    fake.files.setReadOnly(kConfig, false);
    fake.files.setUnreadable(kConfig);
    EXPECT_EQ(errorOf([&] { f.Button1Click(); }), "Unable to write to C:\\Tabrix\\config.ini");
    EXPECT_TRUE(f.visible);
    EXPECT_TRUE(owner.log.empty());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(Save, ARefusedDrivesFilePutsTheSettingsFileBackWhole) {
    // An existing config.ini gets its old bytes back; one that was not there is not left behind.
    for (const bool existed : {true, false}) {
        fake.files.remove(kConfig);
        if (existed) fake.files.put(kConfig, "; mine\r\n[general]\r\nskin=Default\r\nalpha=255\r\n");
        fake.files.put(kDrives, "3\r\n");
        fake.files.setReadOnly(kDrives);
        TForm3& f = build();
        f.Show();
        owner.log.clear();
        f.TrackBar1Moved(40);
        f.Clicked(f.control<CheckBox>("CheckBox2"));
        owner.log.clear();
        EXPECT_EQ(errorOf([&] { f.Button1Click(); }), "Unable to write to C:\\Tabrix\\drives.inf") << existed;
        EXPECT_EQ(fake.files.exists(kConfig), existed);
        EXPECT_EQ(config(), existed ? "; mine\r\n[general]\r\nskin=Default\r\nalpha=255\r\n" : "");
        EXPECT_EQ(fake.files.content(kDrives), "3\r\n");
        EXPECT_TRUE(f.visible);
        EXPECT_TRUE(owner.log.empty()) << existed;

        // Once drives.inf can be written, the same Save goes through whole.
        fake.files.setReadOnly(kDrives, false);
        f.Button1Click();
        EXPECT_NE(config().find("\r\nalpha=40\r\n"), std::string::npos) << existed;
        EXPECT_NE(config().find("\r\noutput=1\r\n"), std::string::npos) << existed;
        EXPECT_EQ(owner.log, std::vector<std::string>{"replace"});
    }
}

TEST_F(Save, AnUntouchedSliderKeepsTheFilesAlphaAndAFailedPutBackIsSaid) {
    // The slider never moved: at 0 where the build found it, or a build stopped early.
    struct Case {
        const char* file;
        const char* line;
        int slider;
    };
    for (const Case& c : {Case{"[general]\r\nalpha=0\r\n", "\r\nalpha=0\r\n", 0},
                          Case{"[general]\r\nalpha=-20\r\n", "\r\nalpha=-20\r\n", 0},
                          Case{"[general]\r\nfontcolor=red\r\nalpha=200\r\n", "\r\nalpha=200\r\n", 200}}) {
        fake.files.put(kConfig, c.file);
        form = std::make_unique<TForm3>(fake.platform, owner);
        try {
            form->FormCreate();
        } catch (const Error&) {
        }
        EXPECT_FALSE(form->draft.chosenOpacity) << c.file;
        form->Button1Click();
        EXPECT_NE(config().find(c.line), std::string::npos) << config();
        EXPECT_EQ(config().find("alpha=255"), std::string::npos) << config();
        EXPECT_EQ(form->control<TrackBar>("TrackBar1").position, c.slider)
            << c.file;  // the controls show the file
    }

    // drives.inf refused and config.ini cannot be put back: the notice names both.
    general({"alpha=255"});
    fake.files.setReadOnly(kDrives);
    TForm3& f = build();
    f.Show();
    f.TrackBar1Moved(40);
    fake.files.setReadOnlyAfter(kConfig, 1);
    EXPECT_EQ(errorOf([&] { f.Button1Click(); }),
              "Unable to write to C:\\Tabrix\\drives.inf. C:\\Tabrix\\config.ini could not be put back as "
              "it was: it holds the new settings.");
    EXPECT_NE(config().find("\r\nalpha=40\r\n"), std::string::npos);
    EXPECT_TRUE(f.visible);
}

TEST_F(Save, TheControlsChoicesAreWhatIsWritten) {
    fake.files.put(kDrives, "3\r\n4\r\n");
    TForm3& f = build();
    f.Clicked(f.control<CheckBox>("CheckBox2"));
    f.Clicked(f.control<CheckBox>("CheckBox6"));
    f.Clicked(f.control<CheckBox>("CheckBox26"));
    f.Clicked(f.control<CheckBox>("CheckBox30"));
    f.Clicked(f.control<CheckBox>("CheckBox25"));
    f.TextChanged(f.control<Edit>("Edit1"), "c:\\web\\stats");
    f.TextChanged(f.control<Edit>("Edit4"), "1000x");  // as typed, unchecked
    f.TextChanged(f.control<ComboBox>("ComboBox1"), "Ocean");
    f.TrackBar1Moved(40);
    ui.fontFace = "Courier New";
    ui.fontSize = 11;
    f.pickers.Button5Click();
    ui.color = 0xFFFFFF;
    f.pickers.Button7Click();
    std::vector<bool> drives(26, false);
    drives[0] = drives[25] = true;
    f.ListBox1Selected(drives);
    f.Button1Click();
    const std::string text = config();
    for (const char* line : {"font=Courier New", "fontsize=11", "fontcolor=clWhite", "outputinterval=1000x",
                             "skin=Ocean", "alpha=40", "savepath=c:\\web\\stats", "output=1", "enablexml=0",
                             "enablephp=1", "SysTrayIcon=1", "showbanner=0", "AllowPositionChange=0"})
        EXPECT_NE(text.find(std::string("\r\n") + line + "\r\n"), std::string::npos) << line;
    EXPECT_EQ(fake.files.content(kDrives), "1\r\n26\r\n");
}

TEST_F(Save, PreviewsReachTheMainWindowAndCloseUndoesThemOnlyAfterOne) {
    fake.files.put("C:\\Tabrix\\skins\\blue.bmp", bmp24Solid(30, 20, 0x0000FF));
    TForm3& f = build();
    owner.log.clear();
    f.Show();
    f.Button3Click();
    EXPECT_FALSE(f.visible);
    EXPECT_TRUE(owner.log.empty());

    f.Show();
    f.TextChanged(f.control<ComboBox>("ComboBox1"), "blue");  // no extension added: no file, only the flag
    EXPECT_TRUE(owner.log.empty());
    EXPECT_TRUE(f.previewed);
    f.TextChanged(f.control<ComboBox>("ComboBox1"), "blue.bmp");
    f.TextChanged(f.control<ComboBox>("ComboBox1"), "Default");
    f.TrackBar1Moved(0);
    f.TrackBar1Moved(255);
    f.TrackBar1Moved(300);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"skin 30x20", "skin none", "opacity 0", "opacity 255"}));
    EXPECT_EQ(f.draft.chosenOpacity, 255);
    owner.log.clear();
    f.Button3Click();
    EXPECT_EQ(owner.log, std::vector<std::string>{"replace"});
    // The flag stays: every later Close replaces the main window again.
    f.Show();
    f.FormKeyDown(27);
    EXPECT_EQ(owner.log, (std::vector<std::string>{"replace", "replace"}));
    EXPECT_EQ(config(), "");
}

}  // namespace
}  // namespace tabrix::test
