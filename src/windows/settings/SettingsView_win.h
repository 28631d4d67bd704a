#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Gdi.h"
#include "platform/win32/Resources.h"
#include "windows/View_win.h"
#include "windows/settings/Unit3.h"

namespace tabrix::win32 {

// The real Settings window: one system control for every control of TForm3 (buttons,
// check boxes, edits, combo boxes, the list box, the common controls' tab control,
// trackbar and up/down), with the pages as children of the tab control. Notifications go
// to the behaviour; after each, the controls are brought up to date with it.
class SettingsView : public View<TForm3> {
public:
    SettingsView(HINSTANCE instance, HWND owner, HICON icon, ErrorHandler onError);
    ~SettingsView();

    void create(TForm3& form);
    // Brings every control up to date with the behaviour (shown or hidden included).
    void sync();
    // The message loop's look at a message before it is dispatched: the window sees keys
    // before its controls, and Tab moves between the controls. True when it was used up.
    bool preTranslate(MSG& msg);

    static constexpr char kPageClass[] = "TTabSheet";

private:
    struct Child {
        HWND hwnd;
        PlacedControl placed;
        int id;
    };
    friend LRESULT CALLBACK viewWindowProc<SettingsView>(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK pageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    bool handleChildMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // WM_CTLCOLORSTATIC of a child: its colours and background brush; false: the default.
    bool staticColors(const Child& c, HDC dc, LRESULT& result);
    template <typename F>
    void run(F&& f) {
        guarded(std::forward<F>(f));
        sync();
    }

    struct KindTraits;
    static const KindTraits& traits(ControlKind kind);
    void createChild(const PlacedControl& placed);
    void setUpButton(HWND w, const Control& c);
    void setUpCheckBox(HWND w, const Control& c);
    void setUpEdit(HWND w, const Control& c);
    void setUpListBox(HWND w, const Control& c);
    void setUpUpDown(HWND w, const Control& c);
    void setUpPicture(HWND w, const Control& c);
    void setUpPages(HWND w, const Control& c);
    HWND parentOf(int page) const;
    const Child* childOf(HWND w) const;
    std::string nameUnder(HWND w) const;
    void syncChild(const Child& c);
    void updateLabel(HWND w, const Control& c);
    void updateCheckBox(HWND w, const Control& c);
    void updateEdit(HWND w, const Control& c);
    void updateComboBox(HWND w, const Control& c);
    void updateListBox(HWND w, const Control& c);
    void updateTrackBar(HWND w, const Control& c);
    void updateUpDown(HWND w, const Control& c);
    void syncPages();
    void command(const Child& c, int code);
    void paintFrame(HDC dc);
    bool inWindow(HWND w) const;
    void takeFocus();
    bool temperatureGuard(const MSG& msg);
    static constexpr UINT kFocusMessage = WM_APP + 7;

    HICON icon_;
    OwnedIcon largeIcon_;  // Image1's
    HWND tab_ = nullptr;
    HWND pages_[3] = {};
    // The controls the view treats apart from their kind, found once by name.
    struct Known {
        const PageControl* pages;
        const Label* help;
        const Label* sample;  // the font colour's sample
        const Label* bandText;
        const Picture* icon;
        const ComboBox* temperature;
        const UpDown* chooser;
        const Shape* band;
        const Bevel* rules[2];
    } known_{};
    std::vector<Child> children_;
    GdiObject<HFONT> font_;
    Scale scale_;  // the screen's, read as the window is made: the design layout is made at it
    GdiObject<HBRUSH> white_;
    std::vector<Dib> pageIcons_;
    bool syncing_ = false;
    int shownPage_ = -1;
};

}  // namespace tabrix::win32
