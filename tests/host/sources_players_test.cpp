// The players other than Winamp: which window is which player, and what its caption or AIMP's
// block says the song is.
#include <gtest/gtest.h>

#include "../aimp_block.h"
#include "platform/Utf16.h"
#include "sources/Players.h"

namespace tabrix {
namespace {

constexpr char kFoobarClass[] = "{97E27FAA-C0B3-4b8e-A693-ED7881E99FC1}";

TEST(Players, EachPlayerIsToldByItsWindowAndItsCaptionGivesTheSongOrItsIdleName) {
    const struct {
        const char* className;
        const char* process;
        const char* caption;
        PlayerKind kind;
        const char* song;
        bool idle;
    } rows[] = {
        {"Chrome_WidgetWin_0", "Spotify.exe", "Daft Punk - One More Time", PlayerKind::Spotify,
         "Daft Punk - One More Time", false},
        // A title that itself holds " - " stays whole.
        {"Chrome_WidgetWin_0", "SPOTIFY.EXE", "Artist - Song - Live Version", PlayerKind::Spotify,
         "Artist - Song - Live Version", false},
        {"SpotifyMainWindow", "spotify.exe", "Spotify Premium", PlayerKind::Spotify, "", true},
        {"Chrome_WidgetWin_0", "Spotify.exe", "Spotify Free", PlayerKind::Spotify, "", true},
        {"Chrome_WidgetWin_0", "Spotify.exe", "Spotify", PlayerKind::Spotify, "", true},
        // Its windows without a caption, and the same class in another program, are no player.
        {"Chrome_WidgetWin_0", "Spotify.exe", "", PlayerKind::None, "", true},
        {"Chrome_WidgetWin_0", "chrome.exe", "Artist - Title", PlayerKind::None, "", true},
        {kFoobarClass, "", "Artist - Title [foobar2000]", PlayerKind::Foobar, "Artist - Title", false},
        {kFoobarClass, "x.exe", "Title [foobar2000 v2.1]", PlayerKind::Foobar, "Title", false},
        {kFoobarClass, "", "foobar2000 v2.1", PlayerKind::Foobar, "", true},
        // Without the mark the caption is the user's own format: the song as it stands.
        {kFoobarClass, "", "Artist / Title", PlayerKind::Foobar, "Artist / Title", false},
        {"WindowsForms10.Window.8.app.0.2bf8098_r6_ad1", "MusicBee.exe", "Artist - Title - MusicBee",
         PlayerKind::MusicBee, "Artist - Title", false},
        {"WindowsForms10", "MusicBee.exe", "MusicBee", PlayerKind::MusicBee, "", true},
        {"WindowsForms10", "MusicBee.exe", "Settings", PlayerKind::None, "", true},
        {"Qt5QWindowIcon", "vlc.exe", "movie.mkv - VLC media player", PlayerKind::Vlc, "movie.mkv", false},
        {"Qt5QWindowIcon", "vlc.exe", "VLC media player", PlayerKind::Vlc, "", true},
        {"Qt5QWindowIcon", "other.exe", "movie.mkv - VLC media player", PlayerKind::None, "", true},
        {"AIMP2_RemoteInfo", "AIMP.exe", "AIMP2_RemoteInfo", PlayerKind::Aimp, "", true},
    };
    for (const auto& row : rows) {
        const PlayerKind kind = playerOfWindow(row.className, row.process, row.caption);
        EXPECT_EQ(row.kind, kind) << row.caption;
        if (kind == PlayerKind::None) continue;
        const CaptionSong song = songOfCaption(kind, row.caption);
        EXPECT_EQ(row.song, song.song) << row.caption;
        EXPECT_EQ(row.idle, song.idle) << row.caption;
    }
    // Captions come as UTF-16 from any program: a lone half of a pair is no character.
    const char16_t units[] = {u'A', 0xD83C, 0xDFB5, u'-', 0xDC00, u'\u00e9', 0xD800};
    EXPECT_EQ("A\xF0\x9F\x8E\xB5-\xEF\xBF\xBD\xC3\xA9\xEF\xBF\xBD", utf16ToUtf8(units, 7));
    EXPECT_EQ("A", utf16ToUtf8(units, 1));
}

std::string aimpBlock(uint32_t header, const std::vector<std::u16string>& texts, std::size_t size = 2048) {
    return aimp_block::build(header, texts, size);
}

TEST(Players, AimpsBlockGivesArtistAndTitleAndNothingPastItsEnd) {
    // album, artist, date, file name, genre, title
    const std::vector<std::u16string> track = {u"Album",           u"Bj\u00f6rk", u"1997",
                                               u"C:\\M\\joga.mp3", u"Pop",        u"J\u00f3ga"};
    EXPECT_EQ("Bj\xC3\xB6rk - J\xC3\xB3ga", aimpSong(aimpBlock(88, track)));
    EXPECT_EQ("Bj\xC3\xB6rk - J\xC3\xB3ga", aimpSong(aimpBlock(64, track)));  // a shorter header
    EXPECT_EQ("J\xC3\xB3ga", aimpSong(aimpBlock(88, {u"", u"", u"", u"", u"", u"J\u00f3ga"})));
    EXPECT_EQ("joga.mp3", aimpSong(aimpBlock(88, {u"", u"", u"", u"C:\\M\\joga.mp3", u"", u""})));
    EXPECT_EQ("", aimpSong(aimpBlock(88, {u"", u"", u"", u"", u"", u""})));

    // A block smaller than its header says, or than any header, holds no song.
    EXPECT_EQ("", aimpSong(aimpBlock(88, track).substr(0, 80)));
    EXPECT_EQ("", aimpSong(aimpBlock(88, track).substr(0, 63)));
    EXPECT_EQ("", aimpSong(aimpBlock(60, track)));
    EXPECT_EQ("", aimpSong(""));
    // A count past the block's end cuts its text there, and the texts after it are empty.
    std::string cut = aimpBlock(88, track, 0);
    cut.resize(cut.size() - 3);  // the title's last unit and a half
    EXPECT_EQ("Bj\xC3\xB6rk - J\xC3\xB3", aimpSong(cut));
    std::string huge = aimpBlock(88, track);
    huge[44] = '\xFF';
    huge[45] = '\xFF';  // the artist's count: 65535 units in a 2 kB block
    EXPECT_EQ("Bj\xC3\xB6rk1997C:\\M\\joga.mp3PopJ\xC3\xB3ga", aimpSong(huge));
}

}  // namespace
}  // namespace tabrix
