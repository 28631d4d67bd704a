#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tabrix {

// The players the song line follows, in their order of precedence: a window of the Winamp
// class first (it is asked as it always was), then the first of the others found.
enum class PlayerKind { None, Winamp, Spotify, Aimp, Foobar, MusicBee, Vlc };

// "Winamp", "Spotify", "AIMP", "foobar2000", "MusicBee", "VLC"; "" for None.
const char* playerName(PlayerKind kind);

// Which player a top-level window is, from its class, the file name of its process's program
// ("Spotify.exe", any case) and its caption (UTF-8). None for any other window. The Winamp class
// is not looked at here.
PlayerKind playerOfWindow(const std::string& className, const std::string& process,
                          const std::string& caption);

// What a player's caption says: the song ("Artist - Title", as the player writes it), or idle
// when the caption is the player's own name alone (paused or stopped).
struct CaptionSong {
    std::string song;
    bool idle = false;
};
CaptionSong songOfCaption(PlayerKind kind, const std::string& caption);
// Whether the window's process must be asked to tell whether it is a player.
bool mayNeedProcess(const std::string& className, const std::string& caption);

// AIMP's published block of the playing track: a header whose first four bytes give its own
// length, then six UTF-16 texts (album, artist, date, file name, genre, title) with the header's
// counts of units. The song is "Artist - Title" (the title alone without an artist, the file's
// name without a title), UTF-8; "" when the block is too short for its header. A count past
// the block's end cuts that text (and the ones after it) at the end.
constexpr char kAimpName[] = "AIMP2_RemoteInfo";  // its window class and its block's name
constexpr std::size_t kAimpBlockSize = 2048;
std::string aimpSong(const std::string& block);

// The messages a player's buttons become.
enum class PlayerCommand { Previous, Play, Pause, Stop, Next };
struct PlayerMessage {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};
// What a command is posted as to a player other than Winamp: AIMP's own command message, the
// system's media commands (WM_APPCOMMAND) for the others, which know play/pause as one command.
PlayerMessage playerMessage(PlayerKind kind, PlayerCommand command);
// AIMP's question for its state, and the answer that means playing.
constexpr uint32_t kAimpPropertyMessage = 0x0400 + 0x77;
constexpr uintptr_t kAimpStateProperty = 0x40;
constexpr uintptr_t kAimpPlaying = 2;

}  // namespace tabrix
