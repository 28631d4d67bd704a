#pragma once
// The whole program on the fake platform: App with a recording host, so that tray, menu,
// key and player behaviour can be driven through the main window it builds.
#include <string>
#include <vector>

#include "app/App.h"
#include "startup_fixture.h"

namespace tabrix::test {

// Records what the program asks of its windows, in order.
class RecordingHost : public AppHost {
public:
    void mainWindowCreating(TForm1&) override { log.push_back("creating"); }
    void mainWindowCreated(TForm1&) override { log.push_back("created"); }
    void mainWindowDestroying(TForm1&) override { log.push_back("destroying"); }
    void createAuxiliaryWindows() override {}
    void showNotice(const std::string&, int, int) override {}
    void postRebuild() override { log.push_back("post rebuild"); }
    void showSettings() override { log.push_back("settings"); }
    void showAbout() override { log.push_back("about"); }
    // As the real window does: the close handler runs, then the window is gone.
    void closeMainWindow(TForm1& form) override {
        log.push_back("close");
        form.FormClose();
    }
    void terminate() override { log.push_back("terminate"); }
    std::vector<std::string> log;
};

class WindowTest : public StartupTest {
protected:
    TForm1& start(std::initializer_list<std::string> general = {}) {
        working(general);
        app = std::make_unique<App>(fake.platform, host);
        app->start();
        return *app->mainWindow();
    }
    std::string config() const { return fake.files.content(kConfigPath); }

    FakeShell& shell = fake.shell;
    FakeClipboard& clipboard = fake.clipboard;
    FakeWindowSystem& windows = fake.windows;
    FakeClock& clock = fake.clock;
    FakePlayerWindow& player = fake.player;
    RecordingHost host;
    std::unique_ptr<App> app;
};

}  // namespace tabrix::test
