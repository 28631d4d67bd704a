#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "forms/Controls.h"
#include "platform/Pixels.h"
#include "platform/Platform.h"

namespace tabrix {

// What the Settings window asks of the program around it: the live previews on the main
// window and the main window's replacement.
class SettingsWindowOwner {
public:
    virtual ~SettingsWindowOwner() = default;
    // Opacity 0 to 255 on the main window: blending on, the value, off again at 255.
    virtual void previewOpacity(int position) = 0;
    // A new background picture for the main window; null empties it.
    virtual void previewSkin(const Pixels* skin) = 0;
    // The same path as Reload: the main window is rebuilt from config.ini.
    virtual void replaceMainWindow() = 0;
};

constexpr char kSettingsClass[] = "TForm3";
constexpr char kSettingsCaption[] = "Settings";
constexpr int kSettingsClientWidth = 547;
constexpr int kSettingsClientHeight = 391;
constexpr int kSettingsLeft = 421;
constexpr int kSettingsTop = 171;
constexpr int kDriveCount = 26;
constexpr char kShortcutName[] = "Tabrix.lnk";
// The plain-text address service the IP lookup asks by default.
constexpr char kDefaultIpServer[] = "http://api.ipify.org/";

// The kinds of control the window is made of; the view creates one system control each.
enum class ControlKind {
    Label,
    Picture,
    Shape,
    Bevel,
    Button,
    CheckBox,
    Edit,
    ComboBox,
    ListBox,
    TrackBar,
    UpDown,
    Pages
};

// One control of the window, where it sits: -1 on the window itself, else its page.
struct PlacedControl {
    ControlKind kind;
    Control* control;
    int page;
};

// The Settings window's behaviour: built once from config.ini, shown and hidden, writes
// config.ini and drives.inf on Save (Unit3.cpp build, Unit3_design.cpp controls,
// Unit3_pickers.cpp pickers, Unit3_save.cpp previews, Save and Close, Unit3_help.cpp).
class TForm3 {
public:
    enum Page { kGeneralPage = 0, kAdvancedPage = 1, kModulesPage = 2 };

    TForm3(Platform& platform, SettingsWindowOwner& owner);
    TForm3(const TForm3&) = delete;
    TForm3& operator=(const TForm3&) = delete;

    // The build: fills every control from config.ini and drives.inf. An error it lets out
    // (a bad fontcolor) leaves the later steps undone.
    void FormCreate();
    // The main window's Settings command.
    void Show();

    // Events, as the view reports them after the user acted on a control.
    void FormKeyDown(int key);                  // every key, before the control sees it
    void pointerOver(const std::string& name);  // the control or surface under the pointer
    void PageControl1Change(int page);
    void Clicked(Control& control);                               // a button, or a check box (toggles it)
    void TextChanged(Control& control, const std::string& text);  // edits, ComboBox1, ComboBox2
    void TrackBar1Moved(int position);
    void ScrollBar1Moved(int position);
    void ListBox1Selected(const std::vector<bool>& selected);
    void ComboBox2KeyPress();

    // Handlers by name.
    void Button1Click();  // Save
    void Button3Click();  // Close
    void Button2Click();  // Ins
    void Button4Click();  // Del
    void Button5Click();  // font
    void Button6Click();  // player path
    void Button7Click();  // colour
    void Button8Click();  // output path
    void CheckBox2Click();
    void CheckBox7Click();
    void CheckBox10Click() {}
    void CheckBox28Click();
    void TrackBar1Change();
    void ComboBox1Change();
    void ScrollBar1Change();
    void Edit7Change();
    void TabSheet3Show();  // the Modules page shown

    // Beside "MBM Temps": where the sensor pairs come from now.
    void showSensorSource(const std::string& text) { Label32.text = text; }

    // Setting these runs the control's change operation when the value changes.
    void setTrackBarPosition(int position);
    void setScrollBarPosition(int position);
    void setScrollBarRange(int min, int max);
    void setEdit7Text(const std::string& text);

    // Every control, in creation and tab order.
    const std::vector<PlacedControl>& controls() const { return controls_; }
    Control* find(const std::string& name);
    ControlKind kindOf(const Control& control) const;

    bool visible = false;
    std::string caption = kSettingsCaption;
    int left = kSettingsLeft;
    int top = kSettingsTop;

    // The window-wide values.
    bool previewed = false;       // a live preview has changed the main window since the build
    // The slider as of its last change; none while it never moved (by the build or the user),
    // and then Save leaves alpha as the file has it.
    std::optional<int> chosenOpacity;
    bool interfaceRange = false;  // set by the build, cleared by the first interface query
    std::string fontFace = "Tahoma";
    int fontSize = 8;
    uint32_t fontColor = 0;

    // The frame.
    Shape Shape1;    // the header band
    Label Label30;   // header text
    Picture Image1;  // the program's icon
    Bevel Bevel1;    // rule under the band
    PageControl PageControl1;
    Bevel Bevel2;    // rule over the foot
    Label Label12;   // the help line
    Button Button1;  // Save
    Button Button3;  // Close
    Picture PageIcon[3];

    // General page.
    Label Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10, Label11, Label13,
        Label14, Label15, Label16, Label17, Label18;
    ComboBox ComboBox1;
    CheckBox CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7, CheckBox8;
    CheckBox CheckBox33;  // JSON
    TrackBar TrackBar1;
    Edit Edit1, Edit2;
    Button Button2, Button4, Button5, Button7, Button8;

    // Advanced page.
    Label Label19, Label20, Label21, Label22, Label23, Label24, Label25, Label26, Label27, Label28, Label29;
    Edit Edit3, Edit4, Edit5, Edit6;
    Button Button6;
    CheckBox CheckBox9, CheckBox10, CheckBox25, CheckBox26, CheckBox29, CheckBox30;
    ComboBox ComboBox2;

    // Modules page.
    CheckBox CheckBox11, CheckBox12, CheckBox13, CheckBox14, CheckBox15, CheckBox16, CheckBox17, CheckBox18,
        CheckBox19, CheckBox20, CheckBox21, CheckBox22, CheckBox23, CheckBox24, CheckBox28, CheckBox31,
        CheckBox32;  // Graphs
    UpDown ScrollBar1;
    Label Label31;
    Label Label32;  // the sensor pairs' source
    Edit Edit7;
    ListBox ListBox1;

    // The Modules page's boxes in page order, as Save writes them.
    std::vector<CheckBox*> moduleBoxes();

private:
    void design();  // Unit3_design.cpp
    void designGeneral();
    void designAdvanced();
    void designModules();
    void place(ControlKind kind, Control& control, int page);
    void fitCaptions();
    int captionExtent(const PlacedControl& c);  // 0: not a caption

    // build steps
    void readGeneral();
    void setChecks();
    void fillSkins();  // Unit3_pickers.cpp
    void searchSkins(const std::string& folder);
    void fillDrives();
    void interfaceQuery();

    // Save, gathered whole before anything is written (Unit3_save.cpp)
    std::string checkedIpInterval();
    std::string configBytes(const std::string& ipInterval);
    void saveDrives();
    bool putConfigBack(bool existed, const std::string& old);

    std::string helpText(const std::string& name, bool& restores) const;  // Unit3_help.cpp

    Platform& platform_;
    SettingsWindowOwner& owner_;
    std::vector<PlacedControl> controls_;
    std::string hovered_;  // the control the help line last followed
};

}  // namespace tabrix
