// The screen's scale: design places to device pixels and back, pictures enlarged once, and a
// layout saved at one scale that reads back the same at another.
#include <climits>

#include "config/IniFile.h"
#include "controls/Scale.h"
#include "images/Bmp.h"
#include "startup_fixture.h"
#include "windows/about/Unit2.h"
#include "windows/notice/frmError.h"

namespace tabrix::test {
namespace {

using ScaleTest = StartupTest;

TEST_F(ScaleTest, PlacesPicturesAndTheSavedLayoutFollowTheScreensScale) {
    // Halves go away from zero; back to design units every place comes out as it went in.
    const struct {
        int dpi, design, device;
    } kRows[] = {
        {96, 271, 271}, {0, 57, 57},    {-144, 57, 57},  // a resolution nobody told, or a hostile one, is 96
        {120, 1, 1},    {120, 2, 3},    {120, -2, -3},           {120, 271, 339},
        {144, 1, 2},    {144, 15, 23},  {144, -1, -2},           {144, 305, 458},
        {192, 57, 114}, {192, -7, -14}, {192, INT_MAX, INT_MAX}, {192, INT_MIN, INT_MIN},
    };
    for (const auto& row : kRows) {
        const Scale s(row.dpi);
        EXPECT_EQ(row.device, s.toDevice(row.design)) << row.dpi << " " << row.design;
        if (row.design != INT_MAX && row.design != INT_MIN) {
            EXPECT_EQ(row.design, s.toDesign(row.device)) << row.dpi << " " << row.device;
        }
    }

    // Nearest neighbour: 3 x 2 becomes 5 x 3 at 150 %, every pixel one of the picture's own,
    // the key colour (bottom left) exact.
    const Pixels small{3, 2, {0xA, 0xB, 0xC, 0xFFFFFF, 0xE, 0xF}};
    const Pixels big = Scale(144).picture(small);
    ASSERT_EQ(5, big.width);
    ASSERT_EQ(3, big.height);
    EXPECT_EQ((std::vector<uint32_t>{0xA, 0xA, 0xB, 0xC, 0xC,            //
                                     0xFFFFFF, 0xFFFFFF, 0xE, 0xF, 0xF,  //
                                     0xFFFFFF, 0xFFFFFF, 0xE, 0xF, 0xF}),
              big.data);

    // About and the error notice are built at the scale too; the notice's parts are found
    // where they are drawn.
    const TForm2 about(nullptr, nullptr, 144);
    EXPECT_EQ(828, about.clientWidth);
    EXPECT_EQ(120, about.Label1.left);
    EXPECT_EQ(720, about.Button1.left);
    TForm4 notice(fake.files, "C:\\Tabrix\\", Scale(144));
    EXPECT_EQ(375, notice.width);
    EXPECT_EQ(TForm4::Part::Label1, notice.partAt(84, 23));
    EXPECT_EQ(TForm4::Part::Image1, notice.partAt(83, 23));
    notice.ShowErrorDialog("x", 100, 500);
    EXPECT_EQ(500 - 159 - 17, notice.top);

    // At 144 dots per inch the saved design places come back half as large again, a drag of
    // 15 x 3 device pixels is saved as 10 x 2 design ones, and 96 reads the same place.
    fake.desktop.dpi = 144;
    working({"savepositions=1", "FormWidth=300"},
            {"[Labels]", "Label3left=40", "Label3top=41", "Graph1left=30", "[modules]", "CheckBox32=True"});
    TForm1& f = create();
    ASSERT_TRUE(completed()) << startupFailure(f);
    EXPECT_EQ(60, f.look().label(3).left);
    EXPECT_EQ(62, f.look().label(3).top);
    EXPECT_EQ(450, f.look().window.width);
    // No FormHeight: the panel's own height, scaled once.
    EXPECT_EQ(Scale(144).toDevice(kClientHeight) + fake.desktop.toolFrame.height, f.look().window.height);
    EXPECT_EQ(45, f.look().graphs[0].left);
    EXPECT_EQ(60, f.look().image(kImageSkin).bitmap.width);  // the 40 x 80 skin
    EXPECT_EQ(kSkinColor, f.look().image(kImageSkin).bitmap.at(50, 100));
    f.mouse().LabelMouseDown(3, 0, 0);
    f.mouse().LabelMouseMove(3, 15, 3);
    f.mouse().MouseUp(MouseButton::Left);
    f.FormClose();
    const IniFile saved(fake.files, kConfigPath);
    EXPECT_EQ(50, saved.readInteger("Labels", "Label3left", 0));
    EXPECT_EQ(43, saved.readInteger("Labels", "Label3top", 0));
    EXPECT_EQ(300, saved.readInteger("general", "FormWidth", 0));
    EXPECT_EQ(30, saved.readInteger("Labels", "Graph1left", 0));

    fake.desktop.dpi = 96;
    create();
    EXPECT_EQ(50, form->look().label(3).left);
    EXPECT_EQ(43, form->look().label(3).top);
    EXPECT_EQ(300, form->look().window.width);

    // A skin of ours, unchanged, comes from the copy drawn nearest the scale (150 % at 144 and
    // 168, 200 % above); any other file is enlarged from its own pixels.
    const std::string ours = bmp24Solid(40, 80, kSkinColor);
    fake.desktop.drawnCopies[{fileCrc32(ours), 144}] = bmp24Solid(60, 120, 0x123456);
    fake.desktop.drawnCopies[{fileCrc32(ours), 192}] = bmp24Solid(80, 160, 0x654321);
    const struct {
        int dpi;
        std::string skin;
        int width;
        uint32_t colour;
    } kSkins[] = {{168, ours, 70, 0x123456},
                  {192, ours, 80, 0x654321},
                  {120, ours, 50, kSkinColor},
                  {144, bmp24Solid(40, 80, 0x3366CD), 60, 0x3366CD}};
    for (const auto& row : kSkins) {
        fake.desktop.dpi = row.dpi;
        fake.files.put(kDefaultSkinPath, row.skin);
        const Pixels& skin = create().look().image(kImageSkin).bitmap;
        EXPECT_EQ(row.width, skin.width) << row.dpi;
        EXPECT_EQ(row.colour, skin.at(row.width - 1, skin.height - 1)) << row.dpi;
    }
}

}  // namespace
}  // namespace tabrix::test
