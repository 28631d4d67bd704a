#pragma once
#include <cstdint>
#include <string>

#include "platform/SystemApi.h"
#include "sources/Players.h"

namespace tabrix {

class Clock;
class Codepage;
class SharedMemoryApi;

// The player the song line follows while no Winamp-class window is there: looked for over the
// top-level windows at most every kPlayerLookMs while none is found, then kept, and checked
// with one IsWindow a tick, until its window goes.
class OtherPlayer {
public:
    static constexpr uint32_t kPlayerLookMs = 5000;

    OtherPlayer(PlayerWindow& windows, SharedMemoryApi& memory, Codepage& codepage, Clock& clock);

    // Reads the kept player's song (looking for a player when one is due); false when there is
    // none. The callers of one tick share one reading.
    bool refresh();
    PlayerKind kind() const { return kind_; }
    // In the system's code page. A paused player keeps the song it showed last.
    const std::string& song() const { return song_; }
    // Whether it plays: AIMP's answer to its state question, or a caption that names a song.
    bool playing() const { return playing_; }
    // Posted: a hung player never holds the window.
    void command(PlayerCommand command);

private:
    void look();
    void readSong();

    PlayerWindow& windows_;
    SharedMemoryApi& memory_;
    Codepage& codepage_;
    Clock& clock_;
    PlayerWindow::Handle window_ = 0;
    PlayerKind kind_ = PlayerKind::None;
    std::string song_;
    bool playing_ = false;
    bool looked_ = false;
    uint32_t lookedAt_ = 0;
    bool read_ = false;
    uint32_t readAt_ = 0;
};

}  // namespace tabrix
