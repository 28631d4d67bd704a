// The main window's partial repaints against the real window system: what a change
// invalidates, that the window then shows what a whole repaint shows, and that self-draw
// passes keep the number of GDI objects constant.
#include <windows.h>

#include <gtest/gtest.h>

#include "../main_window_access.h"
#include "../test_bitmaps.h"
#include "test_helpers.h"
#include "windows/main/Unit1.h"

using namespace tabrix;
using namespace tabrix::win32;

namespace {

// A 24-bit bottom-up bitmap: a blue-green gradient with a red (see-through) bottom-left pixel.
std::string skinBitmap(int w, int h) {
    return tabrix::test::bmp24(w, h, [&](int x, int top) -> uint32_t {
        const int y = h - 1 - top;  // counted from the bottom row
        if (x == 0 && y == 0) return 0xFF0000;
        return 0x200000u | uint32_t(0x40 + y % 150) << 8 | uint32_t(0x80 + x % 100);
    });
}

// The process's GDI objects: GetGuiResources where the system counts them; where it gives 0
// (Wine), the live entries of the handle table, whose index alone names an object there.
DWORD gdiObjects() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted) return counted;
    DWORD live = 0;
    for (uintptr_t index = 1; index < 0x10000; ++index)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return live;
}

class PaintView : public test::MainWindowTest {
protected:
    PaintView() : MainWindowTest("tabrix-paint", skinBitmap(220, 260)) {}
    void start(const std::string& general) {
        MainWindowTest::start("[general]\r\nskin=Default\r\nshowbanner=-1\r\nontop=1\r\n" + general);
        UpdateWindow(view->hwnd());
    }
    // What the window's client area shows now, read from the window itself.
    std::vector<uint32_t> shown() { return test::clientPixels(view->hwnd(), true).data; }
    // The window after its partial repaints equals the window repainted whole.
    void expectSameAsWholeRepaint(const char* what) {
        view->sync();
        UpdateWindow(view->hwnd());
        const std::vector<uint32_t> partial = shown();
        InvalidateRect(view->hwnd(), nullptr, FALSE);
        UpdateWindow(view->hwnd());
        const std::vector<uint32_t> whole = shown();
        size_t differing = 0;
        for (size_t i = 0; i < whole.size(); ++i) differing += partial[i] != whole[i];
        EXPECT_EQ(0u, differing) << what;
    }
    bool updatePending(RECT* r = nullptr) {
        RECT dummy;
        return GetUpdateRect(view->hwnd(), r ? r : &dummy, FALSE) != FALSE;
    }
};

}  // namespace

TEST_F(PaintView, NothingChangedRepaintsNothingAndAChangedLabelOnlyItsOwnPlace) {
    start("transparent=0\r\n");
    view->sync();
    EXPECT_FALSE(updatePending()) << "nothing changed";
    setLabelText(*form, 16, "X");  // the same text again
    view->sync();
    EXPECT_FALSE(updatePending());

    const Label& l = form->look().label(12);
    const RECT before{l.left, l.top, l.left + l.width, l.top + l.height};
    setLabelText(*form, 12, "55%");
    view->sync();
    RECT r;
    ASSERT_TRUE(updatePending(&r));
    // Old and new bounds of Label12 (at 120, 104) and a small margin, nothing else.
    EXPECT_LE(r.left, before.left);
    EXPECT_LE(r.top, before.top);
    EXPECT_GE(r.right, l.left + l.width);
    EXPECT_GE(r.bottom, l.top + l.height);
    EXPECT_GE(r.left, 120 - 4);
    EXPECT_GE(r.top, 104 - 4);
    EXPECT_LE(r.bottom, l.top + l.height + 4);
    EXPECT_LE(r.right, l.left + l.width + 4);
}

TEST_F(PaintView, PartialRepaintsShowWhatAWholeRepaintShows) {
    for (const char* key : {"transparent=0\r\n", "transparent=1\r\n"}) {
        start(key);
        setLabelText(*form, 20, "12 days 23 hrs 59 min");
        expectSameAsWholeRepaint("a longer text");
        setLabelText(*form, 20, "0 days");
        expectSameAsWholeRepaint("a shorter text leaves nothing behind");
        mutableLabel(*form, 10).left += 37;
        mutableLabel(*form, 10).top += 5;
        expectSameAsWholeRepaint("a moved label");
        mutableImage(*form, 2).visible = true;
        mutableImage(*form, 7).visible = true;
        expectSameAsWholeRepaint("player pictures shown");
        mutableImage(*form, 2).visible = false;
        mutableLabel(*form, 23).visible = false;
        expectSameAsWholeRepaint("a picture and a label hidden");
        Font big = form->look().label(18).font;
        big.height = -20;
        setLabelFont(*form, 18, big);
        expectSameAsWholeRepaint("a bigger font");
        view.reset();
    }
}

TEST_F(PaintView, SelfDrawPassesKeepTheGdiObjectsConstant) {
    start("transparent=0\r\nSelfDrawEnabled=1\r\n");
    form->DrawTimerTimer();
    view->sync();
    HFONT first = nullptr;
    for (int i = 0; i < 3; ++i) {
        form->DrawTimerTimer();
        view->sync();
    }
    const DWORD before = gdiObjects();
    for (int pass = 0; pass < 10000; ++pass) {
        form->DrawTimerTimer();
        form->ScrollTimerTimer();
        view->sync();
        if (pass == 0) {
            // The pass's font is a real font; the next pass deletes it.
            LOGFONTA lf{};
            ASSERT_EQ(static_cast<int>(sizeof lf), GetObjectA(view->canvasFont(), sizeof lf, &lf));
            EXPECT_EQ(NONANTIALIASED_QUALITY, lf.lfQuality);
            first = view->canvasFont();
        } else if (pass == 1) {
            EXPECT_EQ(0u, GetObjectType(first)) << "the font of the pass before is deleted";
        }
    }
    const DWORD after = gdiObjects();
    std::printf("GDI objects before and after 10,000 self-draw passes: %lu, %lu\n",
                static_cast<unsigned long>(before), static_cast<unsigned long>(after));
    EXPECT_EQ(before, after);
    // The count sees a single font more.
    HFONT one = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
    EXPECT_EQ(after + 1, gdiObjects());
    DeleteObject(one);
}
