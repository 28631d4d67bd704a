#pragma once
// A main window built from a working config.ini, ready for systimer ticks against the
// fake system and player.
#include <cstring>

#include "platform/Error.h"
#include "sources/WAmpMsg.h"
#include "startup_fixture.h"

namespace tabrix::test {

// A sensor block with the five counts and records as published.
inline std::string sensorBlock(std::initializer_list<std::pair<const char*, double>> records, int32_t count) {
    std::string b(88 + 80 * 4, '\0');
    std::memcpy(&b[12], &count, 4);
    int i = 0;
    for (const auto& r : records) {
        std::memcpy(&b[88 + 80 * i + 1], r.first, std::strlen(r.first));
        std::memcpy(&b[88 + 80 * i + 16], &r.second, 8);
        ++i;
    }
    return b;
}

class RefreshTest : public StartupTest {
protected:
    // Start-up with the test's lines of section general, then any further sections.
    TForm1& build(std::initializer_list<std::string> general, std::initializer_list<std::string> more = {}) {
        working(general, more);
        TForm1& f = create();
        EXPECT_TRUE(completed()) << startupFailure(f);
        return f;
    }
    // Refresh ticks, a second apart, as systimer runs them.
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            fake.clock.time += 1000;
            form->systimerTimer();
        }
    }
    PlayerWindow::Handle startPlayer() { return fake.player.open(kPlayerClass, "1. Artist - Song - Winamp"); }
    bool songShown() const { return form->look().label(13).visible && form->look().label(14).visible; }
    bool songHidden() const { return !form->look().label(13).visible && !form->look().label(14).visible; }
    // The five player buttons: 1 all shown, 0 all hidden, -1 mixed.
    int buttons() const {
        int shown = 0;
        for (int n : {6, 2, 3, 4, 7}) shown += form->look().image(n).visible ? 1 : 0;
        return shown == 5 ? 1 : shown == 0 ? 0 : -1;
    }
};

}  // namespace tabrix::test
