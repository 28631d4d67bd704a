// The program folder as shipped, at 96 dots per inch: with each shipped skin, every label and
// graph the first start shows lies whole inside the panel, and none overlaps another.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "../test_bitmaps.h"
#include "test_helpers.h"

using namespace tabrix;

namespace {

std::string wholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Drawn {
    std::string what;
    RECT r;
};

std::string describe(const Drawn& d) {
    return d.what + " (" + std::to_string(d.r.left) + ", " + std::to_string(d.r.top) + ") - (" +
           std::to_string(d.r.right) + ", " + std::to_string(d.r.bottom) + ")";
}

class FirstLook : public test::MainWindowTest {
protected:
    FirstLook() : MainWindowTest("tabrix-first-look", test::bmp24Skin(10, 10, 0)) {}

    // Labels showing a text and the graphs, as the window paints them after the first ticks.
    std::vector<Drawn> drawn() {
        std::vector<Drawn> all;
        for (int n = TForm1::kFirstLabel; n <= TForm1::kLastLabel; ++n) {
            const Label& l = form->label(n);
            if (!l.visible || l.text.find_first_not_of(" \r\n") == std::string::npos) continue;
            all.push_back(
                {l.name + " \"" + l.text + "\"", {l.left, l.top, l.left + l.width, l.top + l.height}});
        }
        for (int i = 0; i < Graphs::kCount; ++i) {
            const Graph& g = form->graphs()[i];
            if (g.visible) all.push_back({g.name, {g.left, g.top, g.left + g.width, g.top + g.height}});
        }
        return all;
    }
};

}  // namespace

TEST_F(FirstLook, EveryLabelAndGraphShowsWholeAndApartWithEachShippedSkin) {
    const std::string shipped = wholeFile(std::string("Z:") + TABRIX_ASSETS + "/config.ini");
    const std::string skinLine = "skin=Graphite.bmp\r\n";
    const std::size_t at = shipped.find(skinLine);
    ASSERT_NE(at, std::string::npos);
    write("drives.inf", "3\r\n");
    for (const char* skin : {"Graphite.bmp", "Ocean.bmp", "Sand.bmp"}) {
        SCOPED_TRACE(skin);
        write(std::string("skins\\") + skin, wholeFile(std::string("Z:") + TABRIX_DIST + "/skins/" + skin));
        std::string config = shipped;
        config.replace(at, skinLine.size(), std::string("skin=") + skin + "\r\n");
        start(config);
        ASSERT_TRUE(sink.shown.empty());
        // The values the first seconds bring: the refresh, then the traffic meter it starts.
        form->systimerTimer();
        form->tmrTrafficTimer();
        form->systimerTimer();
        RECT panel{};
        GetClientRect(view->hwnd(), &panel);
        const std::vector<Drawn> all = drawn();
        for (const Drawn& d : all)
            EXPECT_TRUE(d.r.left >= 0 && d.r.top >= 0 && d.r.right <= panel.right &&
                        d.r.bottom <= panel.bottom)
                << describe(d) << " outside the panel";
        for (std::size_t i = 0; i < all.size(); ++i)
            for (std::size_t j = 0; j < i; ++j) {
                RECT both;
                EXPECT_FALSE(IntersectRect(&both, &all[i].r, &all[j].r))
                    << describe(all[i]) << " over " << describe(all[j]);
            }
        view.reset();
    }
}
