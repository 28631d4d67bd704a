// The live previews, Save and Close of the Settings window.
#include "settings/Unit3.h"

#include <algorithm>

#include "platform/Bmp.h"
#include "platform/Error.h"
#include "platform/SettingsApi.h"
#include "settings/ColorText.h"
#include "settings/DrivesFile.h"
#include "settings/IniFile.h"
#include "settings/IniText.h"
#include "settings/IntegerText.h"

namespace tabrix {

namespace {
constexpr char kGeneral[] = "general";
constexpr char kModules[] = "Modules";
constexpr int kShortestIpInterval = 60000;

std::string sw(const CheckBox& box) {
    return box.checked ? "1" : "0";
}
}  // namespace

void TForm3::TrackBar1Change() {
    chosenOpacity = TrackBar1.position;
    previewed = true;
    owner_.previewOpacity(TrackBar1.position);
}

void TForm3::ComboBox1Change() {
    const std::string& text = ComboBox1.text;
    if (text == "Default") {
        owner_.previewSkin(nullptr);
    } else {
        // The name as typed: no extension is added, and a name that is no file changes nothing.
        const std::string path = platform_.programDir + "skins\\" + text;
        std::string bytes;
        if (platform_.files.exists(path) && platform_.files.read(path, bytes)) {
            const Pixels skin = decodeBmp(bytes);
            owner_.previewSkin(&skin);
        }
    }
    previewed = true;
}

std::string TForm3::checkedIpInterval() {
    auto convert = [](const std::string& text) {
        std::int32_t v = 0;
        if (!textToInteger(text, v)) throw Error("'" + text + "' is not a valid integer value");
        return v;
    };
    std::int32_t v = convert(Edit2.text);
    if (v != 0 && v < kShortestIpInterval) {
        platform_.settingsUi.messageBox("You cannot update IP address in intervals of less than 1 minute.",
                                        "Tabrix");
        Edit2.text = "60000";
    } else if (v == 0) {
        Edit2.text = "0";
    }
    return std::to_string(convert(Edit2.text));
}

// Every key of the save in its order, applied to the file's text as key-by-key writes would.
std::string TForm3::configBytes(const std::string& ipInterval) {
    const std::string path = platform_.configPath();
    std::string text;
    if (!platform_.files.read(path, text)) {
        // A file that is there but cannot be read would lose its other lines.
        if (platform_.files.exists(path)) throw Error("Unable to write to " + path);
        text.clear();
    }
    auto put = [&](const char* section, const std::string& key, const std::string& value) {
        text = ini::withValue(text, section, key, value);
    };
    auto general = [&](const char* key, const std::string& value) { put(kGeneral, key, value); };
    general("font", fontFace);
    general("fontsize", std::to_string(fontSize));
    general("fontcolor", colorToText(fontColor));
    general("winamppath", Edit3.text);
    general("outputinterval", Edit4.text);
    general("winampbuttonsstay", Edit5.text);
    general("ipserver", Edit6.text);
    general("Temp_label", ComboBox2.text);
    general("skin", ComboBox1.text);
    general("transparent", sw(CheckBox1));
    if (chosenOpacity) general("alpha", std::to_string(*chosenOpacity));
    general("savepath", Edit1.text);
    general("output", sw(CheckBox2));
    general("showbar", sw(CheckBox3));
    general("ontop", sw(CheckBox4));
    general("enablexml", sw(CheckBox5));
    general("enablephp", sw(CheckBox6));
    general("enablejson", sw(CheckBox33));
    general("showip", sw(CheckBox7));
    general("xpwinampicons", sw(CheckBox29));
    general("ipinterval", ipInterval);
    general("scrollenabled", sw(CheckBox8));
    general("ipinterface", Edit7.text);
    general("ShowUsed", sw(CheckBox9));
    general("SelfDrawEnabled", sw(CheckBox10));
    general("SysTrayIcon", sw(CheckBox25));
    general("showbanner", CheckBox26.checked ? "-1" : "0");
    general("ShouldGetDisk", sw(CheckBox28));
    general("AllowPositionChange", CheckBox30.checked ? "1" : "0");
    for (CheckBox* box : moduleBoxes()) put(kModules, box->name, box->checked ? "True" : "False");
    return text;
}

void TForm3::saveDrives() {
    std::vector<int> drives;
    for (size_t i = 0; i < ListBox1.selected.size(); ++i)
        if (ListBox1.selected[i]) drives.push_back(static_cast<int>(i) + 1);
    writeDrivesFile(platform_.files, platform_.path(kDrivesFileName), drives);
}

bool TForm3::putConfigBack(bool existed, const std::string& old) {
    const std::string path = platform_.configPath();
    return existed ? platform_.files.writeAtomic(path, old) : platform_.files.remove(path);
}

void TForm3::Button1Click() {
    // The one check comes before anything is written, so a refusal leaves both files as they were.
    const std::string ipInterval = checkedIpInterval();
    const std::string path = platform_.configPath();
    const std::string bytes = configBytes(ipInterval);
    std::string old;
    const bool existed = platform_.files.read(path, old);
    const bool changed = !existed || old != bytes;
    if (changed && !platform_.files.writeAtomic(path, bytes)) throw Error("Unable to write to " + path);
    try {
        saveDrives();
    } catch (const std::exception& e) {
        // Save is all or nothing: a refused drives.inf puts config.ini back as it was, and
        // when even that fails the user must not believe that nothing changed.
        if (changed && !putConfigBack(existed, old))
            throw Error(std::string(e.what()) + ". " + path +
                        " could not be put back as it was: it holds the new settings.");
        throw;
    }
    if (!chosenOpacity) {
        // The untouched slider shows what the file holds.
        const int alpha = IniFile(platform_.files, path).readInteger(kGeneral, "alpha", 255);
        TrackBar1.position = std::clamp(alpha, TrackBar1.min, TrackBar1.max);
    }
    visible = false;
    owner_.replaceMainWindow();
}

void TForm3::Button3Click() {
    visible = false;
    if (previewed) owner_.replaceMainWindow();
}

}  // namespace tabrix
