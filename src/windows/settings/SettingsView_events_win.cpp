// The Settings window's messages: control notifications, the pointer for the help line,
// keys before the controls, and its fixed size.
#include "platform/win32/TabTexture.h"
#include "windows/settings/SettingsView_win.h"

#include <commctrl.h>

namespace tabrix::win32 {

namespace {

std::string textOf(HWND w) {
    const int n = GetWindowTextLengthA(w);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(w, &s[0], n + 1);
    s.resize(static_cast<size_t>(n > 0 ? n : 0));
    return s;
}

}  // namespace

LRESULT CALLBACK SettingsView::pageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<SettingsView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_ERASEBKGND && eraseWithTabTexture(hwnd, reinterpret_cast<HDC>(wp))) return 1;
    LRESULT result = 0;
    if (self && self->handleChildMessage(msg, wp, lp, result)) return result;
    return DefWindowProcA(hwnd, msg, wp, lp);
}

std::string SettingsView::nameUnder(HWND w) const {
    if (w == hwnd_.get()) return "Form3";
    if (w == tab_) return known_.pages->name;
    for (int i = 0; i < 3; ++i)
        if (w == pages_[i]) return "TabSheet" + std::to_string(i + 1);
    if (const Child* c = childOf(w)) return c->placed.control->name;
    // The edit part of a combo box.
    if (const Child* c = childOf(GetParent(w))) return c->placed.control->name;
    return std::string();
}

LRESULT SettingsView::handle(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (handleChildMessage(msg, wp, lp, result)) return result;
    if (handlePaintMessage(
            hwnd_.get(), msg, wp, [this](HDC dc) { paintFrame(dc); }, result))
        return result;
    switch (msg) {
        case WM_SETCURSOR: {
            const std::string name = nameUnder(reinterpret_cast<HWND>(wp));
            const std::string before = known_.help->text;
            guarded([&] { form_->pointerOver(name); });
            if (known_.help->text != before) sync();
            break;
        }
        case kFocusMessage:
            takeFocus();
            return 0;
        case WM_CLOSE:
            // The close box does what Close does.
            run([this] { form_->Button3Click(); });
            return 0;
        case WM_WINDOWPOSCHANGING: {
            // A fixed dialog: every resize request is refused.
            auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
            RECT r = scaledRect(scale_, 0, 0, kSettingsClientWidth, kSettingsClientHeight);
            AdjustWindowRectEx(&r, GetWindowLongA(hwnd_.get(), GWL_STYLE), FALSE,
                               GetWindowLongA(hwnd_.get(), GWL_EXSTYLE));
            pos->cx = r.right - r.left;
            pos->cy = r.bottom - r.top;
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcA(hwnd_.get(), msg, wp, lp);
}

bool SettingsView::handleChildMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (!form_) return false;
    switch (msg) {
        case WM_COMMAND: {
            const Child* c = childOf(reinterpret_cast<HWND>(lp));
            if (!c || syncing_) return false;
            command(*c, HIWORD(wp));
            result = 0;
            return true;
        }
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMHDR*>(lp);
            if (n->hwndFrom != tab_ || n->code != static_cast<UINT>(TCN_SELCHANGE) || syncing_) return false;
            const int page = static_cast<int>(SendMessageA(tab_, TCM_GETCURSEL, 0, 0));
            run([this, page] { form_->PageControl1Change(page); });
            result = 0;
            return true;
        }
        case WM_HSCROLL:
        case WM_VSCROLL: {
            const Child* c = childOf(reinterpret_cast<HWND>(lp));
            if (!c || syncing_) return false;
            if (c->placed.kind == ControlKind::TrackBar) {
                const int pos = static_cast<int>(SendMessageA(c->hwnd, TBM_GETPOS, 0, 0));
                run([this, pos] { form_->TrackBar1Moved(pos); });
            } else if (c->placed.kind == ControlKind::UpDown) {
                const int pos = static_cast<int>(SendMessageA(c->hwnd, UDM_GETPOS32, 0, 0));
                run([this, pos] { form_->ScrollBar1Moved(pos); });
            }
            result = 0;
            return true;
        }
        case WM_CTLCOLORSTATIC: {
            const Child* c = childOf(reinterpret_cast<HWND>(lp));
            return c && staticColors(*c, reinterpret_cast<HDC>(wp), result);
        }
        default:
            return false;
    }
}

bool SettingsView::staticColors(const Child& c, HDC dc, LRESULT& result) {
    const Control* control = c.placed.control;
    if (control == known_.bandText || control == known_.icon) {
        SetBkColor(dc, RGB(255, 255, 255));
        result = reinterpret_cast<LRESULT>(white_.get());
        return true;
    }
    if (control == known_.sample) {
        SetTextColor(dc, toColorRef(known_.sample->font.color));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    // Captions, boxes and the slider stand on the page's tab texture; an edit (read-only
    // or disabled ones ask here too) keeps its own face.
    const ControlKind kind = c.placed.kind;
    if (c.placed.page < 0 ||
        (kind != ControlKind::Label && kind != ControlKind::CheckBox && kind != ControlKind::TrackBar))
        return false;
    HBRUSH brush = tabTextureBrush(pages_[c.placed.page], c.hwnd, dc);
    result = reinterpret_cast<LRESULT>(brush);
    return brush != nullptr;
}

void SettingsView::command(const Child& c, int code) {
    Control& control = *c.placed.control;
    switch (c.placed.kind) {
        case ControlKind::Button:
        case ControlKind::CheckBox:
            if (code == BN_CLICKED) run([&] { form_->Clicked(control); });
            break;
        case ControlKind::Edit:
            if (code == EN_CHANGE) {
                const std::string text = textOf(c.hwnd);
                run([&] { form_->TextChanged(control, text); });
            }
            break;
        case ControlKind::ComboBox:
            if (code == CBN_EDITCHANGE) {
                const std::string text = textOf(c.hwnd);
                run([&] { form_->TextChanged(control, text); });
            } else if (code == CBN_SELCHANGE) {
                const LRESULT index = SendMessageA(c.hwnd, CB_GETCURSEL, 0, 0);
                if (index == CB_ERR) break;
                const LRESULT length = SendMessageA(c.hwnd, CB_GETLBTEXTLEN, index, 0);
                std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
                SendMessageA(c.hwnd, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
                text.resize(static_cast<size_t>(length > 0 ? length : 0));
                run([&] { form_->TextChanged(control, text); });
            }
            break;
        case ControlKind::ListBox:
            if (code == LBN_SELCHANGE) {
                const LRESULT count = SendMessageA(c.hwnd, LB_GETCOUNT, 0, 0);
                std::vector<bool> selected;
                for (LRESULT i = 0; i < count; ++i)
                    selected.push_back(SendMessageA(c.hwnd, LB_GETSEL, i, 0) > 0);
                run([&] { form_->ListBox1Selected(selected); });
            }
            break;
        default:
            break;
    }
}

// The temperature box takes no key and no wheel turn: each shows the message and puts "*C"
// back, so only a mouse pick from its list chooses "*F". Keys that belong to the window
// (Tab, Escape, the modifiers alone, Alt with anything but Up or Down) pass.
bool SettingsView::temperatureGuard(const MSG& msg) {
    const Child* box = childOf(msg.hwnd);
    if (!box) box = childOf(GetParent(msg.hwnd));
    if (!box || box->placed.control != known_.temperature) return false;
    const int key = static_cast<int>(msg.wParam);
    switch (msg.message) {
        case WM_KEYDOWN:
            if (key == VK_TAB || key == VK_ESCAPE || key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU ||
                key == VK_LWIN || key == VK_RWIN)
                return false;
            break;
        case WM_SYSKEYDOWN:
            if (key != VK_UP && key != VK_DOWN) return false;
            break;
        case WM_CHAR:
        case WM_MOUSEWHEEL:
            break;
        default:
            return false;
    }
    SendMessageA(box->hwnd, CB_SHOWDROPDOWN, FALSE, 0);
    run([&] { form_->pickers.ComboBox2KeyPress(); });
    return true;
}

bool SettingsView::preTranslate(MSG& msg) {
    if (!hwnd_ || !form_ || !IsWindowVisible(hwnd_.get()) || !inWindow(msg.hwnd)) return false;
    if (msg.message == WM_KEYDOWN) {
        const int key = static_cast<int>(msg.wParam);
        run([&] { form_->FormKeyDown(key); });
        if (key == VK_ESCAPE) return true;
        if (key == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
            const int pages = static_cast<int>(known_.pages->pages.size());
            const int step = GetKeyState(VK_SHIFT) < 0 ? pages - 1 : 1;
            const int next = (known_.pages->activePage + step) % pages;
            run([&] { form_->PageControl1Change(next); });
            return true;
        }
        // The interface up/down: Up lowers the number and Down raises it, as its arrows do.
        const Child* c = childOf(msg.hwnd);
        if (c && c->placed.kind == ControlKind::UpDown && (key == VK_UP || key == VK_DOWN)) {
            const int position = known_.chooser->position + (key == VK_UP ? -1 : 1);
            run([&] { form_->ScrollBar1Moved(position); });
            return true;
        }
    }
    if (temperatureGuard(msg)) return true;
    return IsDialogMessageA(hwnd_.get(), &msg) != FALSE;
}

}  // namespace tabrix::win32
