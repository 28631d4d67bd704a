#include "windows/settings/SettingsView_win.h"

#include <commctrl.h>

#include "platform/win32/Resources.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/TabTexture.h"
#include "platform/win32/WindowClass.h"

namespace tabrix::win32 {

namespace {

constexpr int kFirstId = 100;
constexpr int kTabPaddingX = 6;  // the tab control's own at 96 dots per inch
constexpr int kTabPaddingY = 3;
constexpr uint32_t kMagenta = 0xFF00FF;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

std::string windowText(HWND w) {
    const int n = GetWindowTextLengthA(w);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(w, &s[0], n + 1);
    s.resize(static_cast<size_t>(n > 0 ? n : 0));
    return s;
}

void setText(HWND w, const std::string& text) {
    if (windowText(w) != text) SetWindowTextA(w, text.c_str());
}

// The help texts break their lines with a line feed and a carriage return; a static
// control shows that pair as two breaks, the usual pair as one.
std::string shownText(const std::string& text) {
    std::string s = text;
    for (size_t at = s.find("\n\r"); at != std::string::npos; at = s.find("\n\r", at + 2))
        s.replace(at, 2, "\r\n");
    return s;
}

COLORREF btnFace() {
    return GetSysColor(COLOR_BTNFACE);
}

}  // namespace

SettingsView::SettingsView(HINSTANCE instance, HWND owner, HICON icon, ErrorHandler onError)
    : View(instance, owner, std::move(onError)), icon_(icon) {}

SettingsView::~SettingsView() {
    // The behaviour may already be gone: nothing reaches it while the controls go.
    form_ = nullptr;
    hwnd_.reset();
}

void SettingsView::create(TForm3& form) {
    form_ = &form;
    known_ = {&form.control<PageControl>("PageControl1"),
              &form.control<Label>("Label12"),
              &form.control<Label>("Label17"),
              &form.control<Label>("Label30"),
              &form.control<Picture>("Image1"),
              &form.control<ComboBox>("ComboBox2"),
              &form.control<UpDown>("ScrollBar1"),
              &form.control<Shape>("Shape1"),
              {&form.control<Bevel>("Bevel1"), &form.control<Bevel>("Bevel2")}};
    registerWindowClass(instance_, {kSettingsClass, viewWindowProc<SettingsView>, icon_});
    registerWindowClass(instance_,
                        {kPageClass, pageProc, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});

    scale_ = Scale(screenDotsPerInch(LOGPIXELSX));
    RECT r = scaledRect(scale_, 0, 0, kSettingsClientWidth, kSettingsClientHeight);
    AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
    hwnd_.reset(CreateWindowExA(kExStyle, kSettingsClass, form.caption.c_str(), kStyle, form.left, form.top,
                                r.right - r.left, r.bottom - r.top, owner_, nullptr, instance_, this));
    Font tahoma;
    tahoma.height = -MulDiv(8, screenDotsPerInch(), 72);
    font_.reset(createFont(tahoma));
    white_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    pageIcons_.reserve(3);
    for (const PlacedControl& placed : form.layout.controls()) createChild(placed);
    sync();
}

HWND SettingsView::parentOf(int page) const {
    return page < 0 ? hwnd_.get() : pages_[page];
}

// Each kind of control: its system class and styles, what it is given once when made, and how
// it follows the behaviour. A kind without a class is painted by the window itself.
struct SettingsView::KindTraits {
    ControlKind kind;
    const char* cls;
    DWORD style;
    DWORD ex;
    int height;  // 0: the control's own
    DWORD (*styleOf)(const Control& c);
    void (SettingsView::*setUp)(HWND w, const Control& c);
    void (SettingsView::*update)(HWND w, const Control& c);
};

namespace {

DWORD labelStyle(const Control& c) {
    return static_cast<const Label&>(c).wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
}

DWORD pictureStyle(const Control& c) {
    return static_cast<const Picture&>(c).resourceId == kIconProgram ? SS_ICON : SS_BITMAP;
}

}  // namespace

const SettingsView::KindTraits& SettingsView::traits(ControlKind kind) {
    using K = ControlKind;
    using V = SettingsView;
    static const KindTraits kKinds[] = {
        {K::Label, "STATIC", SS_NOTIFY | SS_NOPREFIX, 0, 0, labelStyle, nullptr, &V::updateLabel},
        {K::Picture, "STATIC", 0, 0, 0, pictureStyle, &V::setUpPicture, nullptr},
        {K::Shape, nullptr, 0, 0, 0, nullptr, nullptr, nullptr},
        {K::Bevel, nullptr, 0, 0, 0, nullptr, nullptr, nullptr},
        {K::Button, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 0, nullptr, &V::setUpButton, nullptr},
        {K::CheckBox, "BUTTON", BS_CHECKBOX | WS_TABSTOP, 0, 0, nullptr, &V::setUpCheckBox,
         &V::updateCheckBox},
        {K::Edit, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 0, nullptr, &V::setUpEdit,
         &V::updateEdit},
        // As high as with the list dropped down.
        {K::ComboBox, "COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, 200, nullptr,
         nullptr, &V::updateComboBox},
        {K::ListBox, "LISTBOX", LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
         WS_EX_CLIENTEDGE, 0, nullptr, &V::setUpListBox, &V::updateListBox},
        {K::TrackBar, TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM | WS_TABSTOP, 0, 0, nullptr,
         nullptr, &V::updateTrackBar},
        // A tab stop of its own: Up and Down move it (see preTranslate).
        {K::UpDown, UPDOWN_CLASSA, UDS_ARROWKEYS | WS_TABSTOP, 0, 0, nullptr, &V::setUpUpDown,
         &V::updateUpDown},
        {K::Pages, WC_TABCONTROLA, WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE, WS_EX_CONTROLPARENT, 0,
         nullptr, &V::setUpPages, nullptr},
    };
    for (const KindTraits& t : kKinds)
        if (t.kind == kind) return t;
    return kKinds[static_cast<int>(K::Shape)];
}

void SettingsView::createChild(const PlacedControl& placed) {
    const KindTraits& t = traits(placed.kind);
    if (!t.cls) return;
    const Control& c = *placed.control;
    const int id = kFirstId + static_cast<int>(children_.size());
    const DWORD style = WS_CHILD | t.style | (t.styleOf ? t.styleOf(c) : 0);
    const RECT r = scaledRect(scale_, c.left, c.top, c.width, t.height ? t.height : c.height);
    HWND w = CreateWindowExA(t.ex, t.cls, "", style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                             parentOf(placed.page), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             instance_, nullptr);
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    children_.push_back({w, placed, id});
    if (t.setUp) (this->*t.setUp)(w, c);
}

void SettingsView::setUpButton(HWND w, const Control& c) {
    SetWindowTextA(w, static_cast<const Button&>(c).text.c_str());
}

void SettingsView::setUpCheckBox(HWND w, const Control& c) {
    SetWindowTextA(w, static_cast<const CheckBox&>(c).caption.c_str());
}

void SettingsView::setUpListBox(HWND w, const Control&) {
    // Whole rows in the window's font: the last row shown is never cut in half. (The list's
    // own trimming would go by the font it was made with, before WM_SETFONT.)
    const int row = static_cast<int>(SendMessageA(w, LB_GETITEMHEIGHT, 0, 0));
    RECT outer, inner;
    GetWindowRect(w, &outer);
    GetClientRect(w, &inner);
    if (row <= 0 || inner.bottom < row) return;
    const int height = outer.bottom - outer.top - inner.bottom % row;
    SetWindowPos(w, nullptr, 0, 0, outer.right - outer.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsView::setUpUpDown(HWND w, const Control& c) {
    const RECT r = scaledRect(scale_, c);
    SetWindowPos(w, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsView::setUpEdit(HWND w, const Control& c) {
    const int limit = static_cast<const Edit&>(c).maxLength;
    if (limit > 0) SendMessageA(w, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void SettingsView::setUpPicture(HWND w, const Control& c) {
    const int resource = static_cast<const Picture&>(c).resourceId;
    if (resource == kIconProgram) {
        // At the screen's scale, from the icon's own larger sizes.
        largeIcon_ = loadProgramIcon(instance_, scale_.toDevice(c.width));
        SendMessageA(w, STM_SETICON, reinterpret_cast<WPARAM>(largeIcon_ ? largeIcon_.get() : icon_), 0);
        return;
    }
    // The page icons' magenta background takes the page's colour.
    Pixels pixels = loadPicture(instance_, resource, scale_);
    const COLORREF face = btnFace();
    const uint32_t faceRgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    for (uint32_t& p : pixels.data)
        if (p == kMagenta) p = faceRgb;
    if (pixels.empty()) return;
    pageIcons_.emplace_back(pixels);
    SendMessageA(w, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(pageIcons_.back().get()));
}

void SettingsView::setUpPages(HWND w, const Control& c) {
    tab_ = w;
    // The tabs' room around their texts is in pixels: at a larger scale it grows with the font.
    SendMessageA(w, TCM_SETPADDING, 0,
                 MAKELPARAM(scale_.toDevice(kTabPaddingX), scale_.toDevice(kTabPaddingY)));
    const auto& pc = static_cast<const PageControl&>(c);
    for (size_t i = 0; i < pc.pages.size() && i < 3; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(pc.pages[i].c_str());
        SendMessageA(w, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    RECT area = scaledRect(scale_, 0, 0, c.width, c.height);
    SendMessageA(w, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (int i = 0; i < 3; ++i) {
        pages_[i] = CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, "", WS_CHILD | WS_CLIPCHILDREN,
                                    area.left, area.top, area.right - area.left, area.bottom - area.top, w,
                                    nullptr, instance_, nullptr);
        SetWindowLongPtrA(pages_[i], GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        // Under a visual style the page shows the tab's lighter body, not a grey panel.
        enableTabTexture(pages_[i]);
    }
}

const SettingsView::Child* SettingsView::childOf(HWND w) const {
    for (const Child& c : children_)
        if (c.hwnd == w) return &c;
    return nullptr;
}

void SettingsView::sync() {
    if (!hwnd_ || !form_) return;
    syncing_ = true;
    for (const Child& c : children_) syncChild(c);
    syncPages();
    syncing_ = false;
    const bool shown = IsWindowVisible(hwnd_.get()) != FALSE;
    if (form_->visible && !shown) {
        ShowWindow(hwnd_.get(), SW_SHOW);
        SetForegroundWindow(hwnd_.get());
        // The keyboard focus follows once the window is up on the screen.
        PostMessageA(hwnd_.get(), kFocusMessage, 0, 0);
    } else if (!form_->visible && shown) {
        ShowWindow(hwnd_.get(), SW_HIDE);
    }
}

void SettingsView::syncPages() {
    const int active = known_.pages->activePage;
    if (tab_ && SendMessageA(tab_, TCM_GETCURSEL, 0, 0) != active)
        SendMessageA(tab_, TCM_SETCURSEL, active, 0);
    if (active == shownPage_) return;
    for (int i = 0; i < 3; ++i)
        if (pages_[i]) ShowWindow(pages_[i], i == active ? SW_SHOW : SW_HIDE);
    shownPage_ = active;
}

void SettingsView::syncChild(const Child& child) {
    HWND w = child.hwnd;
    const Control& c = *child.placed.control;
    if (child.placed.kind != ControlKind::Pages) {
        // The window's own flag: a control on a page that is not shown is still visible itself.
        const bool shown = (GetWindowLongA(w, GWL_STYLE) & WS_VISIBLE) != 0;
        if (shown != c.visible) ShowWindow(w, c.visible ? SW_SHOWNA : SW_HIDE);
        if ((IsWindowEnabled(w) != FALSE) != c.enabled) EnableWindow(w, c.enabled);
    }
    const KindTraits& t = traits(child.placed.kind);
    if (t.update) (this->*t.update)(w, c);
}

void SettingsView::updateLabel(HWND w, const Control& c) {
    const auto& l = static_cast<const Label&>(c);
    if (windowText(w) != shownText(l.text)) {
        SetWindowTextA(w, shownText(l.text).c_str());
    } else if (&l == known_.sample) {
        InvalidateRect(w, nullptr, TRUE);  // the sample's colour may have changed
    }
}

void SettingsView::updateCheckBox(HWND w, const Control& c) {
    const WPARAM state = static_cast<const CheckBox&>(c).checked ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(SendMessageA(w, BM_GETCHECK, 0, 0)) != state)
        SendMessageA(w, BM_SETCHECK, state, 0);
}

void SettingsView::updateEdit(HWND w, const Control& c) {
    setText(w, static_cast<const Edit&>(c).text);
}

void SettingsView::updateComboBox(HWND w, const Control& c) {
    const auto& box = static_cast<const ComboBox&>(c);
    if (SendMessageA(w, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(box.items.size())) {
        SendMessageA(w, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : box.items)
            SendMessageA(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    setText(w, box.text);
}

void SettingsView::updateListBox(HWND w, const Control& c) {
    const auto& list = static_cast<const ListBox&>(c);
    if (SendMessageA(w, LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(list.items.size())) {
        SendMessageA(w, LB_RESETCONTENT, 0, 0);
        for (const std::string& item : list.items)
            SendMessageA(w, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    for (size_t i = 0; i < list.selected.size(); ++i) {
        const bool on = SendMessageA(w, LB_GETSEL, i, 0) > 0;
        if (on != list.selected[i]) SendMessageA(w, LB_SETSEL, list.selected[i], static_cast<LPARAM>(i));
    }
}

void SettingsView::updateTrackBar(HWND w, const Control& c) {
    const auto& bar = static_cast<const TrackBar&>(c);
    SendMessageA(w, TBM_SETRANGEMIN, FALSE, bar.min);
    SendMessageA(w, TBM_SETRANGEMAX, FALSE, bar.max);
    SendMessageA(w, TBM_SETTICFREQ, bar.frequency, 0);
    if (SendMessageA(w, TBM_GETPOS, 0, 0) != bar.position) SendMessageA(w, TBM_SETPOS, TRUE, bar.position);
}

void SettingsView::updateUpDown(HWND w, const Control& c) {
    // The upper arrow moves towards the low end: the range is given high end first.
    const auto& ud = static_cast<const UpDown&>(c);
    SendMessageA(w, UDM_SETRANGE32, ud.max, ud.min);
    if (SendMessageA(w, UDM_GETPOS32, 0, 0) != ud.position) SendMessageA(w, UDM_SETPOS32, 0, ud.position);
}

void SettingsView::paintFrame(HDC dc) {
    RECT client;
    GetClientRect(hwnd_.get(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const Shape& band = *known_.band;
    RECT r = scaledRect(scale_, band);
    FillRect(dc, &r, white_.get());
    for (const Bevel* rule : known_.rules) {
        RECT line = scaledRect(scale_, *rule);
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    }
}

void SettingsView::takeFocus() {
    if (!IsWindowVisible(hwnd_.get())) return;
    HWND target = GetFocus();
    if (!inWindow(target) || target == hwnd_.get()) target = GetNextDlgTabItem(hwnd_.get(), nullptr, FALSE);
    // Through the window itself, so the focus changes and the display system hears of it.
    SetFocus(hwnd_.get());
    if (target) SetFocus(target);
}

bool SettingsView::inWindow(HWND w) const {
    return w && (w == hwnd_.get() || IsChild(hwnd_.get(), w));
}

}  // namespace tabrix::win32
