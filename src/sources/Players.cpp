#include "sources/Players.h"

#include <algorithm>

#include "platform/AsciiText.h"
#include "platform/Utf16.h"

namespace tabrix {
namespace {

constexpr char kFoobarClass[] = "{97E27FAA-C0B3-4b8e-A693-ED7881E99FC1}";
constexpr char kFoobarName[] = "foobar2000";
constexpr char kFoobarMark[] = " [foobar2000";
constexpr char kMusicBeeName[] = "MusicBee";
constexpr char kMusicBeeSuffix[] = " - MusicBee";
constexpr char kVlcName[] = "VLC media player";
constexpr char kVlcSuffix[] = " - VLC media player";
constexpr const char* kSpotifyClasses[] = {"Chrome_WidgetWin_0", "SpotifyMainWindow"};
constexpr const char* kSpotifyIdle[] = {"Spotify", "Spotify Free", "Spotify Premium"};

// The header's fields: its own length first, then the six texts' counts of units.
constexpr std::size_t kAimpHeaderMinimum = 64;
constexpr std::size_t kAimpCountsAt = 40;
enum AimpText { Album, Artist, Date, FileName, Genre, Title, AimpTexts };

constexpr uint32_t kAimpCommandMessage = 0x0400 + 0x75;
constexpr uint32_t kAppCommandMessage = 0x0319;
enum : uint32_t { kAppNext = 11, kAppPrevious = 12, kAppStop = 13, kAppPlayPause = 14 };
enum : uint32_t { kAimpPlay = 13, kAimpPause = 15, kAimpStop = 16, kAimpNext = 17, kAimpPrevious = 18 };

bool endsWith(const std::string& text, const char* suffix) {
    const std::size_t n = std::char_traits<char>::length(suffix);
    return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

uint32_t word32(const std::string& bytes, std::size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

const char* playerName(PlayerKind kind) {
    switch (kind) {
        case PlayerKind::Winamp:
            return "Winamp";
        case PlayerKind::Spotify:
            return "Spotify";
        case PlayerKind::Aimp:
            return "AIMP";
        case PlayerKind::Foobar:
            return kFoobarName;
        case PlayerKind::MusicBee:
            return kMusicBeeName;
        case PlayerKind::Vlc:
            return "VLC";
        case PlayerKind::None:
            break;
    }
    return "";
}

PlayerKind playerOfWindow(const std::string& className, const std::string& process,
                          const std::string& caption) {
    if (className == kAimpName) return PlayerKind::Aimp;
    if (className == kFoobarClass) return PlayerKind::Foobar;
    // The programs below open other windows of the same classes; the main one has a caption.
    if (caption.empty()) return PlayerKind::None;
    if (sameIgnoringCase(process, "Spotify.exe"))
        for (const char* name : kSpotifyClasses)
            if (className == name) return PlayerKind::Spotify;
    if (sameIgnoringCase(process, "MusicBee.exe") &&
        (caption == kMusicBeeName || endsWith(caption, kMusicBeeSuffix)))
        return PlayerKind::MusicBee;
    if (sameIgnoringCase(process, "vlc.exe") && (caption == kVlcName || endsWith(caption, kVlcSuffix)))
        return PlayerKind::Vlc;
    return PlayerKind::None;
}

bool mayNeedProcess(const std::string& className, const std::string& caption) {
    if (caption.empty()) return false;
    for (const char* name : kSpotifyClasses)
        if (className == name) return true;
    return caption == kMusicBeeName || endsWith(caption, kMusicBeeSuffix) || caption == kVlcName ||
           endsWith(caption, kVlcSuffix);
}

CaptionSong songOfCaption(PlayerKind kind, const std::string& caption) {
    CaptionSong result;
    switch (kind) {
        case PlayerKind::Spotify:
            result.idle = std::find(std::begin(kSpotifyIdle), std::end(kSpotifyIdle), caption) !=
                          std::end(kSpotifyIdle);
            if (!result.idle) result.song = caption;
            break;
        case PlayerKind::Foobar: {
            // "[Artist - ]Title [foobar2000]", the program's version perhaps inside the brackets;
            // the name alone (perhaps with its version) while stopped. A caption of the user's own
            // format, without the mark, is the song as it stands.
            const std::size_t mark = caption.rfind(kFoobarMark);
            if (caption.compare(0, sizeof kFoobarName - 1, kFoobarName) == 0)
                result.idle = true;
            else if (mark != std::string::npos && !caption.empty() && caption.back() == ']')
                result.song = caption.substr(0, mark);
            else
                result.song = caption;
            break;
        }
        case PlayerKind::MusicBee:
        case PlayerKind::Vlc: {
            const char* suffix = kind == PlayerKind::MusicBee ? kMusicBeeSuffix : kVlcSuffix;
            result.idle = !endsWith(caption, suffix);
            if (!result.idle)
                result.song = caption.substr(0, caption.size() - std::char_traits<char>::length(suffix));
            break;
        }
        case PlayerKind::Winamp:
        case PlayerKind::Aimp:
        case PlayerKind::None:
            result.idle = true;
            break;
    }
    return result;
}

std::string aimpSong(const std::string& block) {
    if (block.size() < kAimpHeaderMinimum) return "";
    const uint32_t header = word32(block, 0);
    if (header < kAimpHeaderMinimum || header > block.size()) return "";
    std::string texts[AimpTexts];
    std::size_t at = header;
    for (int k = 0; k < AimpTexts; ++k) {
        const std::size_t count = word32(block, kAimpCountsAt + 4 * k);
        const std::size_t there = (block.size() - at) / 2;
        const std::size_t n = std::min(count, there);
        std::u16string units(n, u'\0');
        for (std::size_t i = 0; i < n; ++i)
            units[i] = static_cast<char16_t>(static_cast<unsigned char>(block[at + 2 * i]) |
                                             static_cast<unsigned char>(block[at + 2 * i + 1]) << 8);
        texts[k] = utf16ToUtf8(units.data(), n);
        at += 2 * n;
    }
    const std::string& artist = texts[Artist];
    std::string title = texts[Title];
    if (title.empty()) title = texts[FileName].substr(texts[FileName].find_last_of("\\/") + 1);
    if (artist.empty() || title.empty()) return title.empty() ? artist : title;
    return artist + " - " + title;
}

PlayerMessage playerMessage(PlayerKind kind, PlayerCommand command) {
    if (kind == PlayerKind::Aimp) {
        static const uint32_t kIds[] = {kAimpPrevious, kAimpPlay, kAimpPause, kAimpStop, kAimpNext};
        return {kAimpCommandMessage, kIds[static_cast<int>(command)], 0};
    }
    static const uint32_t kApp[] = {kAppPrevious, kAppPlayPause, kAppPlayPause, kAppStop, kAppNext};
    return {kAppCommandMessage, 0, static_cast<intptr_t>(kApp[static_cast<int>(command)] << 16)};
}

}  // namespace tabrix
