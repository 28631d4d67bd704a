#include "app/App.h"

#include "platform/Error.h"
#include "platform/SystemApi.h"

namespace tabrix {

App::App(Platform& platform, AppHost& host) : platform_(platform), host_(host) {}

App::~App() {
    if (main_) destroyMainWindow();
}

void App::start() {
    title_ = kAppTitle;
    scale_ = Scale(platform_.desktop.screenDpi());
    if (platform_.desktop.windowsMajorVersion() < 5) platform_.ui.messageBox(kOldWindowsWarning, title_);
    // A running instance gives up its window to the new one.
    platform_.desktop.hideWindow(kMainClass, kAppTitle);
    createMainWindow();
    settings_ = std::make_unique<TForm3>(platform_, *this);
    try {
        settings_->FormCreate();
    } catch (const std::exception& e) {
        // A bad fontcolor stops the build there; the notice shows it once it exists.
        ShowErrorDialog(e.what());
    }
    // The main window was built before it: its sensor and player lines start from the window's.
    sensorSourceChanged(main_->sensorSource());
    playerChanged(main_->followedPlayer());
    createAboutWindow();
    notice_ = std::make_unique<TForm4>(platform_.files, platform_.settingsFolder(), scale_);
    host_.createAuxiliaryWindows();
    noticeExists_ = true;
    // A failure during the first construction had no notice to show it in.
    std::vector<std::string> waiting;
    waiting.swap(pending_);
    for (const std::string& message : waiting) ShowErrorDialog(message);
}

void App::createMainWindow() {
    main_ = std::make_unique<TForm1>(platform_, stored_, *this);
    main_->setOwner(this);
    host_.mainWindowCreating(*main_);
    main_->FormCreate();
    host_.mainWindowCreated(*main_);
    // A new window has looked for no sensor program yet.
    sensorSourceChanged(main_->sensorSource());
    playerChanged(main_->followedPlayer());
}

void App::sensorSourceChanged(SensorSource source) {
    if (!settings_) return;
    settings_->showSensorSource(sensorSourceText(source));
    host_.settingsChanged();
}

void App::playerChanged(PlayerKind player) {
    if (!settings_) return;
    const std::string name = playerName(player);
    settings_->showPlayer("Player: " + (name.empty() ? std::string("none found") : name));
    host_.settingsChanged();
}

void App::createAboutWindow() {
    about_ = std::make_unique<TForm2>(&platform_.shell, &platform_.text, scale_.dpi());
    // A version that cannot be read is a record of zeros: no name and build 0.
    VersionInfo version;
    platform_.system.version(version);
    about_->FormCreate(version);
}

void App::showAbout() {
    if (!about_) return;
    about_->show();
    host_.showAbout();
}

void App::destroyMainWindow(bool removeIconAnyway) {
    if (removeIconAnyway || main_->look().tray.added) main_->events().RemoveTrayIcon();
    host_.mainWindowDestroying(*main_);
    main_.reset();
}

void App::rebuildMainWindow() {
    stored_.rememberedSong = kForcedSong;
    // Removing an icon that is not there is harmless; the record is the old window's.
    if (main_) destroyMainWindow(true);
    createMainWindow();
}

void App::showSettings() {
    if (settings_) settings_->Show();
    host_.showSettings();
}

void App::previewOpacity(int position) {
    if (!main_) return;
    main_->PreviewOpacity(position);
    host_.mainWindowPreviewed(*main_);
}

void App::previewSkin(const Pixels* skin) {
    if (!main_) return;
    main_->PreviewSkin(skin);
    host_.mainWindowPreviewed(*main_);
}

void App::closeMainWindow() {
    if (main_) host_.closeMainWindow(*main_);
}

void App::ShowErrorDialog(const std::string& message) {
    if (!noticeExists_) {
        pending_.push_back(message);
        return;
    }
    const int left = main_ ? main_->look().window.left : 0;
    const int top = main_ ? main_->look().window.top : 0;
    notice_->ShowErrorDialog(message, left, top);
    host_.showNotice(message, left, top);
}

void App::handleException(const std::exception& e) {
    ShowErrorDialog(e.what());
}

void App::handleUnknownException() {
    ShowErrorDialog("An unknown error occurred");
}

}  // namespace tabrix
