// The live previews, Save and Close of the Settings window.
#include "windows/settings/Unit3.h"

#include <algorithm>

#include "config/IniFile.h"
#include "config/SettingKeys.h"
#include "images/Bmp.h"

namespace tabrix {

void TForm3::TrackBar1Change() {
    const int position = control<TrackBar>("TrackBar1").position;
    draft.chosenOpacity = position;
    previewed = true;
    owner_.previewOpacity(position);
}

void TForm3::ComboBox1Change() {
    const std::string& text = control<ComboBox>("ComboBox1").text;
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

void TForm3::Button1Click() {
    // The one check comes before anything is written, so a refusal leaves both files as they were.
    draft.save(draft.checkedIpInterval());
    if (!draft.chosenOpacity) {
        // The untouched slider shows what the file holds.
        const SettingKeyRow& row = settingKey(SettingKey::Alpha);
        const int alpha =
            IniFile(platform_.files, platform_.configPath()).readInteger(row.section, row.name, 255);
        auto& bar = control<TrackBar>("TrackBar1");
        bar.position = std::clamp(alpha, bar.min, bar.max);
    }
    visible = false;
    owner_.replaceMainWindow();
}

void TForm3::Button3Click() {
    visible = false;
    if (previewed) owner_.replaceMainWindow();
}

}  // namespace tabrix
