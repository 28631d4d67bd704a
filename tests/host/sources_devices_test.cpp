#include <gtest/gtest.h>

#include "../test_support.h"
#include "platform/fake/FakeSystem.h"
#include "sources/WAmpMsg.h"
#include "sources/cpuinfo.h"

namespace tabrix {
namespace {

FakeCpuid cpuWithSignature(uint32_t signature) {
    FakeCpuid cpu;
    cpu.leaves[0].eax = 1;
    cpu.leaves[1].eax = signature;
    return cpu;
}

std::string classOf(uint32_t signature) {
    FakeCpuid cpu = cpuWithSignature(signature);
    return CpuClassText(TCPUID(cpu).GetFamily());
}

TEST(SourcesCpuid, FamilyFromSignatureBits) {
    EXPECT_EQ(classOf(0x00000480), "486");
    EXPECT_EQ(classOf(0x00000543), "586");
    EXPECT_EQ(classOf(0x000306A9), "686");    // extended model bits must not leak in
    EXPECT_EQ(classOf(0x00000F29), "686+");   // family 15, extended family 0
    EXPECT_EQ(classOf(0x00100F42), "1686");   // family 15, extended family 1
    EXPECT_EQ(classOf(0x0FF00F00), "27086");  // extended family uses all eight bits
    EXPECT_EQ(classOf(0x00100680), "686");    // extended family counts only for 15
}

TEST(SourcesCpuid, NoCpuidOrNoLeavesReadsZero) {
    FakeCpuid none;
    none.hasCpuid = false;
    TCPUID without(none);
    EXPECT_FALSE(without.record().available);
    EXPECT_EQ(CpuClassText(without.GetFamily()), "086");
    EXPECT_EQ(GetCpuBrandName(none), "");
    EXPECT_TRUE(none.executed.empty());

    FakeCpuid noLeaves = cpuWithSignature(0x00000F29);
    noLeaves.leaves[0].eax = 0;
    TCPUID empty(noLeaves);
    EXPECT_FALSE(empty.record().available);
    EXPECT_EQ(empty.record().family, 0);
    EXPECT_EQ(CpuClassText(empty.GetFamily()), "086");
}

TEST(SourcesCpuid, BrandNeedsTheThirdBrandLeaf) {
    FakeCpuid cpu;
    cpu.setBrand("Some CPU");
    EXPECT_EQ(GetCpuBrandName(cpu), "Some CPU");
    cpu.leaves[0x80000000u].eax = 0x80000003u;
    EXPECT_EQ(GetCpuBrandName(cpu), "");
    cpu.leaves[0x80000000u].eax = 0x80000008u;
    EXPECT_EQ(GetCpuBrandName(cpu), "Some CPU");
    // An unsigned comparison: a reply with the top bit clear is below the brand leaves.
    cpu.leaves[0x80000000u].eax = 0x7FFFFFFFu;
    EXPECT_EQ(GetCpuBrandName(cpu), "");
}

TEST(SourcesCpuid, BrandBytesInRegisterOrderUntrimmed) {
    FakeCpuid cpu;
    const std::string brand = "       Intel(R) Pentium(R) 4 CPU 2.80GHz";
    cpu.setBrand(brand);
    EXPECT_EQ(GetCpuBrandName(cpu), brand);

    const std::string full = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuv";
    ASSERT_EQ(full.size(), 48u);
    cpu.setBrand(full);
    EXPECT_EQ(GetCpuBrandName(cpu), full);

    cpu.setBrand(std::string("AB\0CD", 5));
    EXPECT_EQ(GetCpuBrandName(cpu), "AB");
}

TEST(SourcesPlayer, NotRunning) {
    FakePlayerWindow windows;
    windows.open("Other class", "Song - Winamp");
    TWinampApi player(windows, "0");
    EXPECT_FALSE(player.running());
    EXPECT_EQ(player.GetCurrentSong(), "Winamp isn't running");
    player.Pause();
    EXPECT_TRUE(windows.commands.empty());
}

TEST(SourcesPlayer, CaptionCutBeforeTheBlankAndMarker) {
    // clang-format off
    test::expectEach<std::string, std::string>(
        songFromCaption, {{"12. Some Artist - Some Song - Winamp", "12. Some Artist - Some Song"},
                          {"1. A - B - Winamp", "1. A - B"}, {"1. A - Winamp - B - Winamp", "1. A"},
                          {"Winamp 5.0", ""}, {"", ""}, {"- Winamp", ""}, {"x- Winamp", ""},
                          {"xy- Winamp", "x"}, {"Song -Winamp", ""}});
    // clang-format on
}

TEST(SourcesPlayer, WindowFoundOnceAndCaptionReadEachTime) {
    FakePlayerWindow windows;
    auto handle = windows.open(kPlayerClass, "1. A - B - Winamp");
    TWinampApi player(windows, "C:\\Program Files\\Winamp\\winamp.exe");
    EXPECT_EQ(player.GetCurrentSong(), "1. A - B");
    windows.setCaption(handle, "2. C - D - Winamp");
    EXPECT_EQ(player.GetCurrentSong(), "2. C - D");
    windows.close(handle);
    EXPECT_EQ(player.GetCurrentSong(), "");  // a stale handle is not "not running"
    EXPECT_EQ(windows.finds, 1);
}

TEST(SourcesPlayer, CommandsAreWmCommandWithTimeLimit) {
    FakePlayerWindow windows;
    auto handle = windows.open(kPlayerClass, "Winamp");
    TWinampApi player(windows, "0");
    player.Previous();
    player.Play();
    player.Pause();
    player.Stop();
    windows.hung = true;
    player.Next();
    ASSERT_EQ(windows.commands.size(), 5u);
    const uintptr_t expected[] = {40044, 40045, 40046, 40047, 40048};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(windows.commands[i].window, handle);
        EXPECT_EQ(windows.commands[i].message, 0x0111u);
        EXPECT_EQ(windows.commands[i].wParam, expected[i]);
        EXPECT_EQ(windows.commands[i].lParam, 0);
        EXPECT_GT(windows.commands[i].timeoutMs, 0u);
    }
}

}  // namespace
}  // namespace tabrix
