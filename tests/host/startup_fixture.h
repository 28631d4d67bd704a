#pragma once
// Runs the main window's start-up against the fake platform with a config.ini of the
// test's making.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../main_window_access.h"
#include "../test_bitmaps.h"
#include "../test_support.h"
#include "platform/fake/FakePlatform.h"
#include "windows/main/StoredValues.h"
#include "windows/main/Unit1.h"

namespace tabrix::test {

constexpr char kConfigPath[] = "C:\\Tabrix\\config.ini";
constexpr char kDefaultSkinPath[] = "C:\\Tabrix\\skins\\transparent.bmp";
constexpr uint32_t kSkinColor = 0x3366CC;

class StartupTest : public ::testing::Test {
protected:
    StartupTest() { fake.files.put(kDefaultSkinPath, bmp24Solid(40, 80, kSkinColor)); }

    // config.ini from lines; CR LF as the program's own files have them.
    void config(std::initializer_list<std::string> lines) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        fake.files.put(kConfigPath, text);
    }
    // A config that starts fully: the default skin, then the test's own lines of
    // section general, then any further sections.
    void working(std::initializer_list<std::string> general, std::initializer_list<std::string> more = {}) {
        std::string text = "[general]\r\nskin=Default\r\n";
        for (const std::string& line : general) text += line + "\r\n";
        for (const std::string& line : more) text += line + "\r\n";
        fake.files.put(kConfigPath, text);
    }

    TForm1& create() {
        construct();
        form->FormCreate();
        return *form;
    }
    TForm1& construct() {
        form.reset();
        form = std::make_unique<TForm1>(replaced ? *replaced : fake.platform, stored, errors);
        form->setCanvasSink(&canvas);
        return *form;
    }
    // Windows built from now on ask this system and player instead of the fake's own.
    void replace(SystemApi& system, PlayerWindow& player, Desktop* desktop = nullptr) {
        form.reset();
        replaced = std::make_unique<Platform>(fake.with(system, player, desktop));
    }
    bool completed() const { return startupFailure(*form).empty() && lastStartupStep(*form) == 19; }

    FakePlatform fake;
    std::unique_ptr<Platform> replaced;
    StoredValues stored;
    RecordingErrors errors;
    CanvasLog canvas;  // declared before the form, which writes to it
    std::unique_ptr<TForm1> form;
};

}  // namespace tabrix::test
