#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "platform/win32/Gdi.h"
#include "platform/win32/Win32Shell.h"
#include "windows/View_win.h"
#include "windows/main/CanvasPainter_win.h"
#include "windows/main/GraphPainter_win.h"
#include "windows/main/Unit1.h"

namespace tabrix::win32 {

// The real main window: created before TForm1's start-up runs, then painted from its
// state. Every event goes to the behaviour; nothing a handler throws crosses into Windows.
class MainWindowView : public View<TForm1> {
public:
    // menus draws the popup's pictures when this window owns the menu; may be null.
    MainWindowView(HINSTANCE instance, HWND owner, HICON icon, ErrorHandler onError,
                   const Win32WindowSystem* menus = nullptr);
    ~MainWindowView();
    // The window exists, hidden, with the design's styles and place.
    void create(TForm1& form);
    // Applies the state start-up left (styles, layering, system menu, place) and shows it.
    void showAfterStartup();
    // Brings the window, its timers and its picture up to date with the behaviour.
    void sync();
    // A Settings preview changed the window's opacity or its background picture.
    void applyPreview();
    // A handler of the behaviour is on the stack (a message box inside it runs a nested
    // message loop): the window must not be destroyed now.
    bool busy() const { return handlersRunning_ > 0; }
    // The window was closed (Exit, the close box, the session's end): the program ends.
    bool closed() const { return closed_; }
    // The foreground window changed (the system's event, where it has one).
    void foregroundChanged();
    // The font the last self-draw pass made (null before the first).
    HFONT canvasFont() const { return canvas_.font(); }

private:
    friend LRESULT CALLBACK viewWindowProc<MainWindowView>(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    // Nothing a handler throws crosses into Windows: it goes to the application's handler.
    template <typename F>
    void guarded(F&& f) {
        ++handlersRunning_;
        win32::guarded(onError_, std::forward<F>(f));
        --handlersRunning_;
    }

    void applyStyles();
    void applyLayering();
    void syncTimers();
    void rebuildSkin();
    void keepBanner(const Dib& whole, PixelView skin);  // the part of whole that differs from skin

    // Painting (MainWindowPaint.cpp): what was last painted of each label and picture, so
    // that only the rectangles that changed, old and new, are invalidated.
    struct PaintedPicture {
        bool visible = false;
        RECT rect{};
    };
    struct PaintedLabel {
        bool visible = false;
        RECT rect{};
        std::string text;
        Font font;
        Align align = Align::Left;
        bool opaque = false;
    };
    struct PaintedGraph {
        bool visible = false;
        RECT rect{};
        unsigned version = 0;
    };
    PaintedPicture pictureNow(int n) const;
    void invalidate(const RECT& r);  // collected, and handed to the system together
    void invalidateChanges();
    void collectChanges();
    HFONT fontFor(const Font& font);  // made once per distinct font, kept with the view
    PixelView picture(int n) const;   // Image1 is the form's own pixels, the others the view's copies
    // paintMessage: target is the window's paint DC, whose region tells the changed parts.
    void paint(HDC target, bool paintMessage);
    void invalidateGraphs();
    void paintGraphs(HDC dc, const PaintParts& parts);
    void paintPictures(Dib& frame, const PaintParts& parts);
    void paintLabel(MemoryDc& dc, const Label& label);
    void drawCanvasWrites();  // self-draw mode's texts, straight onto the window
    int labelAt(int x, int y) const;
    int playerButtonAt(int x, int y) const;  // Image2 .. Image7 under the point, 0 when none
    void clickPlayerButton(int image);
    // One handler per message (MainWindowView.cpp, MainWindowView_events.cpp).
    LRESULT handleWindowMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled);
    void onMovedOrSized(bool sized);
    void onButtonDown(MouseButton button, int x, int y);
    void onMouseMove(int x, int y);
    bool onButtonUp(MouseButton button, int x, int y);  // true: the context menu follows
    void onCaptureLost(HWND taker);
    void onTimer(WPARAM id);
    bool onSysCommand(WPARAM command);  // true: the default handling follows
    void onPositionChanged(const WINDOWPOS& pos);

    HICON icon_;
    int handlersRunning_ = 0;

    std::array<const Timer*, kMainTimerCount> timers_{};
    std::array<unsigned, kMainTimerCount> appliedTimers_{};  // interval set with SetTimer, 0 when killed
    // Image1 is drawn from the form's pixels, keyed by skinKey_; where the start-up's banner
    // name is written on it, banner_ holds that part as drawn, already keyed (see-through
    // pixels white), to be put over it at bannerAt_.
    const Pixels* skinSource_ = nullptr;
    bool skinBanner_ = false;
    uint32_t skinKey_ = 0;
    Dib banner_;
    POINT bannerAt_{};
    std::array<Dib, 8> buttons_;  // Image2 .. Image7 as drawn
    std::array<PaintedPicture, 8> paintedPictures_{};
    std::array<PaintedLabel, kLastMainLabel + 1> paintedLabels_{};
    std::array<PaintedGraph, Graphs::kCount> paintedGraphs_{};
    std::vector<RECT> invalid_;  // what a sync found changed, before it goes to the system
    // Glyphs may reach a pixel or two past the measured text (overhangs, bearings), so a
    // label's repainted rectangle is this much larger than the label (at the screen's scale).
    static constexpr int kTextMargin = 2;
    int textMargin_ = kTextMargin;
    GraphPainter graphPainter_;
    std::vector<std::pair<Font, GdiObject<HFONT>>> fonts_;
    CanvasPainter canvas_;
    // Self-draw mode's writes, kept until the next sync puts them on the window.
    struct CanvasQueue : CanvasSink {
        std::vector<CanvasWrite> pending;
        void write(CanvasWrite w) override { pending.push_back(std::move(w)); }
    } canvasWrites_;
    int appliedWidth_ = -1;
    int appliedHeight_ = -1;
    const Win32WindowSystem* menus_;
    int pressedButton_ = 0;  // the player picture a left press began on
    bool closed_ = false;
    bool appliedClickThrough_ = false;
    bool steppedAside_ = false;          // hidden by the last sync for a full-screen program
    ScopedWinEventHook foregroundHook_;  // set while hidefullscreen is on
};

}  // namespace tabrix::win32
