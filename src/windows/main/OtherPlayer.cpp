#include "windows/main/OtherPlayer.h"

#include "platform/Codepage.h"
#include "platform/Error.h"
#include "platform/SharedMemoryApi.h"
#include "platform/ShellApi.h"

namespace tabrix {
namespace {

// The refresh asks whether the player runs several times a tick: one reading serves them all.
constexpr uint32_t kOneReadingMs = 250;
// AIMP's state is asked, not posted: a player that does not answer this soon is not playing.
constexpr uint32_t kStateAnswerMs = 100;

}  // namespace

OtherPlayer::OtherPlayer(PlayerWindow& windows, SharedMemoryApi& memory, Codepage& codepage, Clock& clock)
    : windows_(windows), memory_(memory), codepage_(codepage), clock_(clock) {}

bool OtherPlayer::refresh() {
    const uint32_t now = clock_.now();
    if (read_ && now - readAt_ < kOneReadingMs) return kind_ != PlayerKind::None;
    read_ = true;
    readAt_ = now;
    if (window_ && !windows_.exists(window_)) {
        window_ = 0;
        kind_ = PlayerKind::None;
        song_.clear();
        playing_ = false;
    }
    if (!window_ && (!looked_ || now - lookedAt_ >= kPlayerLookMs)) {
        looked_ = true;
        lookedAt_ = now;
        look();
    }
    if (!window_) return false;
    readSong();
    return true;
}

// The first player in the order of precedence among the windows there.
void OtherPlayer::look() {
    for (const PlayerWindow::TopWindow& w : windows_.topWindows()) {
        const std::string process =
            mayNeedProcess(w.className, w.caption) ? windows_.processOf(w.window) : "";
        const PlayerKind kind = playerOfWindow(w.className, process, w.caption);
        if (kind != PlayerKind::None && (kind_ == PlayerKind::None || kind < kind_)) {
            kind_ = kind;
            window_ = w.window;
        }
    }
}

void OtherPlayer::readSong() {
    std::string utf8;
    if (kind_ == PlayerKind::Aimp) {
        uintptr_t state = 0;
        playing_ =
            windows_.ask(window_, kAimpPropertyMessage, kAimpStateProperty, 0, kStateAnswerMs, state) &&
            state == kAimpPlaying;
        std::string block;
        if (!memory_.read(kAimpName, kAimpBlockSize, block)) return;
        utf8 = aimpSong(block);
    } else {
        const CaptionSong caption = songOfCaption(kind_, windows_.wideCaption(window_));
        playing_ = !caption.idle;
        if (caption.idle) return;
        utf8 = caption.song;
    }
    try {
        song_ = codepage_.utf8ToAnsi(utf8);
    } catch (const Error&) {
        song_.clear();  // a text the system cannot convert is no song
    }
}

void OtherPlayer::command(PlayerCommand command) {
    if (!window_) return;
    const PlayerMessage m = playerMessage(kind_, command);
    windows_.post(window_, m.message, m.wParam, m.lParam);
}

}  // namespace tabrix
