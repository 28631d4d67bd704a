#pragma once
// The Settings window on the fake platform, with an owner that records what the window
// asks of the main window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "error_text.h"
#include "platform/fake/FakePlatform.h"
#include "windows/settings/Unit3.h"

namespace tabrix::test {

class RecordingOwner : public SettingsWindowOwner {
public:
    void previewOpacity(int position) override { log.push_back("opacity " + std::to_string(position)); }
    void previewSkin(const Pixels* skin) override {
        log.push_back(skin ? "skin " + std::to_string(skin->width) + "x" + std::to_string(skin->height)
                           : "skin none");
    }
    void replaceMainWindow() override { log.push_back("replace"); }
    std::vector<std::string> log;
};

class SettingsTest : public ::testing::Test {
protected:
    static constexpr const char* kConfig = "C:\\Tabrix\\config.ini";
    static constexpr const char* kDrives = "C:\\Tabrix\\drives.inf";

    // config.ini from lines, CR LF ended, under [general] unless a line opens a section.
    void general(std::initializer_list<std::string> lines) {
        std::string text = "[general]\r\n";
        for (const std::string& line : lines) text += line + "\r\n";
        fake.files.put(kConfig, text);
    }
    TForm3& build() {
        form = std::make_unique<TForm3>(fake.platform, owner);
        form->FormCreate();
        return *form;
    }
    std::string config() const { return fake.files.content(kConfig); }
    // The texts of Edit1 to Edit7, in order.
    static std::vector<std::string> editTexts(const TForm3& f) {
        return {f.control<Edit>("Edit1").text, f.control<Edit>("Edit2").text, f.control<Edit>("Edit3").text,
                f.control<Edit>("Edit4").text, f.control<Edit>("Edit5").text, f.control<Edit>("Edit6").text,
                f.control<Edit>("Edit7").text};
    }

    FakePlatform fake;
    FakeSettings& ui = fake.settings;
    RecordingOwner owner;
    std::unique_ptr<TForm3> form;
};

}  // namespace tabrix::test
