// The sensor block parser on blocks built here, and the drive-space text.
#include <gtest/gtest.h>

#include <cstring>

#include "config/DrivesFile.h"
#include "platform/Error.h"
#include "platform/fake/FakeDisks.h"
#include "platform/fake/FakeFiles.h"
#include "sources/DriveSpace.h"
#include "sources/interfacewithmbm.h"

namespace tabrix {
namespace {

// A sensor block of the given size with the five counts and records laid out as published.
class BlockBuilder {
public:
    explicit BlockBuilder(std::size_t size = 88 + 80 * 10) : bytes(size, '\0') {}
    BlockBuilder& counts(int32_t a, int32_t b = 0, int32_t c = 0, int32_t d = 0, int32_t e = 0) {
        const int32_t all[] = {a, b, c, d, e};
        for (int i = 0; i < 5; ++i) put(12 + 8 * i, &all[i], 4);
        return *this;
    }
    BlockBuilder& record(int i, const std::string& name, double value) {
        const std::size_t at = 88 + 80 * static_cast<std::size_t>(i);
        bytes[at] = 1;  // a temperature, though nobody looks
        put(at + 1, name.data(), name.size());
        put(at + 16, &value, 8);
        return *this;
    }
    std::string bytes;

private:
    void put(std::size_t at, const void* p, std::size_t n) {
        if (at + n <= bytes.size()) std::memcpy(&bytes[at], p, n);
    }
};

TEST(SensorBlock, CelsiusAndFahrenheitTextsWithNamesCutAtTwelveOrTheZeroByte) {
    const std::string block = BlockBuilder()
                                  .counts(1, 1, 1)
                                  .record(0, "CPU", 45.5)
                                  .record(1, "MotherboardXY", 40)  // 13 characters, no zero byte in 12
                                  .record(2, "Fan 1", 2550)
                                  .bytes;
    SensorBlock c = parseSensorBlock(block, "*C", '.');
    ASSERT_TRUE(c.valid);
    ASSERT_EQ(3, c.count);
    EXPECT_EQ("CPU:", c.readings[0].name);
    EXPECT_EQ("45.5 *C", c.readings[0].value);
    EXPECT_TRUE(c.readings[0].shown);
    EXPECT_EQ("MotherboardX:", c.readings[1].name);
    EXPECT_EQ("40 *C", c.readings[1].value);
    EXPECT_EQ("2550 *C", c.readings[2].value);  // starts with "255": no sensor there
    EXPECT_FALSE(c.readings[2].shown);

    SensorBlock f = parseSensorBlock(block, "*F", ',');
    EXPECT_EQ("113,9 *F", f.readings[0].value);
    EXPECT_EQ("104 *F", f.readings[1].value);
    // Only exactly "*F" means Fahrenheit.
    EXPECT_EQ("45.5 *C", parseSensorBlock(block, "*f", '.').readings[0].value);
    EXPECT_EQ("45.5 *C", parseSensorBlock(block, "F", '.').readings[0].value);
}

TEST(SensorBlock, TheHiddenValues) {
    auto first = [](double v, const char* unit) {
        return parseSensorBlock(BlockBuilder().counts(1).record(0, "T", v).bytes, unit, '.').readings[0];
    };
    EXPECT_FALSE(first(255, "*C").shown);
    EXPECT_EQ("491 *F", first(255, "*F").value);
    EXPECT_FALSE(first(255, "*F").shown);
    EXPECT_TRUE(first(25.5, "*C").shown);
    EXPECT_TRUE(first(-255, "*C").shown);
    EXPECT_FALSE(first(491, "*C").shown);  // the first three characters decide, whatever the unit
    EXPECT_TRUE(first(49.1, "*C").shown);
}

TEST(SensorBlock, TheCountsDecideHowManyRecordsAreRead) {
    BlockBuilder b;
    b.record(0, "A", 1).record(1, "B", 2).record(2, "C", 3).record(3, "D", 4);
    EXPECT_EQ(2, parseSensorBlock(b.counts(1, 1, 0, 0, 0).bytes, "*C", '.').count);
    EXPECT_EQ(3, parseSensorBlock(b.counts(0, 0, 0, 0, 7).bytes, "*C", '.').count);  // later ones unread
    EXPECT_EQ(1, parseSensorBlock(b.counts(2, 0, -1).bytes, "*C", '.').count);
    SensorBlock none = parseSensorBlock(b.counts(0).bytes, "*C", '.');
    EXPECT_EQ(0, none.count);
    EXPECT_EQ(0, parseSensorBlock(b.counts(-5, 1).bytes, "*C", '.').count);
    // Counts that would overflow a 32-bit sum still read as "many".
    EXPECT_EQ(3, parseSensorBlock(b.counts(0x7FFFFFFF, 0x7FFFFFFF).bytes, "*C", '.').count);
    EXPECT_EQ(0, parseSensorBlock(b.counts(INT32_MIN, INT32_MIN, 1).bytes, "*C", '.').count);
}

TEST(SensorBlock, AShortBlockLeavesEverythingUnread) {
    // Room for two records where the counts ask for three: nothing is read.
    BlockBuilder two(88 + 80 * 2);
    two.counts(3).record(0, "A", 1).record(1, "B", 2);
    SensorBlock b = parseSensorBlock(two.bytes, "*C", '.');
    EXPECT_FALSE(b.valid);
    EXPECT_EQ(0, b.count);
    // The same block asking for two is whole.
    EXPECT_TRUE(parseSensorBlock(two.counts(2).bytes, "*C", '.').valid);
    // Shorter than the counts themselves, or nothing at all.
    EXPECT_FALSE(parseSensorBlock(std::string(47, '\1'), "*C", '.').valid);
    EXPECT_FALSE(parseSensorBlock("", "*C", '.').valid);
    // A record cut one byte short of its value.
    EXPECT_FALSE(parseSensorBlock(BlockBuilder(88 + 79).counts(1).bytes, "*C", '.').valid);
}

TEST(DriveSpace, LinesForTheListedDrivesWithLineFeedThenCarriageReturn) {
    EXPECT_EQ("C: 45 % of 37.25 Gb", driveLine(3, 18000000000ull, 40000000000ull, '.'));
    EXPECT_EQ("D: 0 % of 80 Gb", driveLine(4, 0, 80ull << 30, '.'));  // 0 bytes free, exactly 80 GiB
    EXPECT_EQ("E: 0 % of 0 Gb", driveLine(5, 0, 0, '.'));             // an empty card reader
    EXPECT_EQ("Z: 100 % of 1,5 Gb", driveLine(26, 3ull << 29, 3ull << 29, ','));
    EXPECT_EQ("A: 50 % of 0 Gb", driveLine(1, 1, 2, '.'));
    EXPECT_EQ("C: 2 % of 0 Gb", driveLine(3, 5, 200, '.'));  // 2.5 % goes to the even 2
    EXPECT_EQ("C: 4 % of 0 Gb", driveLine(3, 7, 200, '.'));  // 3.5 % to 4

    FakeFiles files;
    FakeDisks disks;
    disks.drives['C'] = {18000000000ull, 40000000000ull};
    disks.drives['D'] = {1ull << 30, 4ull << 30};
    files.put("C:\\T\\drives.inf", "3\r\n9\r\n4\r\n");
    // Drive I does not answer: the list ends there and D is never asked.
    EXPECT_EQ("\n\rC: 45 % of 37.25 Gb",
              GetDriveReport(disks, readDrivesFile(files, "C:\\T\\drives.inf"), '.'));
    EXPECT_EQ("CI", disks.asked);

    files.put("C:\\T\\drives.inf", "4\r\n3");
    EXPECT_EQ("x\n\rD: 25 % of 4 Gb\n\rC: 45 % of 37.25 Gb",
              GetDriveReport(disks, readDrivesFile(files, "C:\\T\\drives.inf"), '.', "x"));
    files.put("C:\\T\\drives.inf", "");
    EXPECT_EQ("", GetDriveReport(disks, readDrivesFile(files, "C:\\T\\drives.inf"), '.'));
    // A number naming no drive is left out; the drives after it still count.
    disks.asked.clear();
    files.put("C:\\T\\drives.inf", "0\r\n27\r\n-3\r\n4\r\n");
    EXPECT_EQ("\n\rD: 25 % of 4 Gb", GetDriveReport(disks, readDrivesFile(files, "C:\\T\\drives.inf"), '.'));
    EXPECT_EQ("D", disks.asked);
}

TEST(DriveSpace, AMissingOrBadDrivesFileFailsTheReport) {
    FakeFiles files;
    FakeDisks disks;
    disks.drives['C'] = {1, 2};
    try {
        GetDriveReport(disks, readDrivesFile(files, "C:\\T\\drives.inf"), '.');
        FAIL() << "no failure";
    } catch (const Error& e) {
        EXPECT_STREQ("Cannot open file C:\\T\\drives.inf", e.what());
    }
    files.put("C:\\T\\drives.inf", "3\r\nC\r\n");
    EXPECT_THROW(GetDriveReport(disks, readDrivesFile(files, "C:\\T\\drives.inf"), '.'), Error);
}

// Reads per path, and stamps that can be switched off (a file system that cannot tell).
struct CountingFiles : FakeFiles {
    int reads = 0;
    bool stamps = true;
    bool read(const std::string& path, std::string& bytes) override {
        ++reads;
        return FakeFiles::read(path, bytes);
    }
    bool stamp(const std::string& path, Stamp& out) override { return stamps && FakeFiles::stamp(path, out); }
};

TEST(DriveSpace, TheTicksReadTheDrivesFileOnlyWhenItChanged) {
    const std::string path = "C:\\T\\drives.inf";
    CountingFiles files;
    FakeDisks disks;
    disks.drives['C'] = {18000000000ull, 40000000000ull};
    disks.drives['D'] = {1ull << 30, 4ull << 30};
    DrivesFileCache cache;
    files.put(path, "3\r\n");
    EXPECT_EQ("\n\rC: 45 % of 37.25 Gb", GetDriveReport(disks, readDrivesFile(files, path, cache), '.'));
    disks.drives['C'] = {20000000000ull, 40000000000ull};  // the space is asked every time
    EXPECT_EQ("\n\rC: 50 % of 37.25 Gb", GetDriveReport(disks, readDrivesFile(files, path, cache), '.'));
    EXPECT_EQ(1, files.reads);

    files.put(path, "4\r\n");  // saved with the same size: the write time tells
    EXPECT_EQ("\n\rD: 25 % of 4 Gb", GetDriveReport(disks, readDrivesFile(files, path, cache), '.'));
    EXPECT_EQ(2, files.reads);

    // A file that goes bad fails every tick until it is mended, and its old list is not used.
    files.put(path, "3\r\nC\r\n");
    EXPECT_THROW(GetDriveReport(disks, readDrivesFile(files, path, cache), '.'), Error);
    EXPECT_THROW(GetDriveReport(disks, readDrivesFile(files, path, cache), '.'), Error);
    files.remove(path);
    EXPECT_THROW(GetDriveReport(disks, readDrivesFile(files, path, cache), '.'), Error);
    files.put(path, "4\r\n3\r\n");
    EXPECT_EQ("\n\rD: 25 % of 4 Gb\n\rC: 50 % of 37.25 Gb",
              GetDriveReport(disks, readDrivesFile(files, path, cache), '.'));

    // Without stamps every tick reads.
    files.stamps = false;
    const int before = files.reads;
    GetDriveReport(disks, readDrivesFile(files, path, cache), '.');
    GetDriveReport(disks, readDrivesFile(files, path, cache), '.');
    EXPECT_EQ(before + 2, files.reads);
}

}  // namespace
}  // namespace tabrix
