// The reports as their real readers see them: PHP includes the script, xmllint parses
// the document. Values with every character that could break either format go in, and
// each must come out exactly as the label showed it.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/fake/Windows1252Codepage.h"
#include "report/ReportOutput.h"

using namespace tabrix;

namespace {

// Files on the Linux disk, replaced through a temporary file as the real writer does.
struct DiskFiles : Files {
    bool read(const std::string& path, std::string& bytes) override {
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return true;
    }
    bool writeAtomic(const std::string& path, const std::string& bytes) override {
        const std::string temp = path + ".tmp";
        {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            if (!(out << bytes)) return false;
        }
        return std::rename(temp.c_str(), path.c_str()) == 0;
    }
    bool exists(const std::string& path) override { return std::filesystem::exists(path); }
    bool remove(const std::string& path) override {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        return !std::filesystem::exists(path);
    }
};

// Every control character as the XML reader gets it back: tab and line feed as they are, a
// carriage return through its reference, and the replacement character for the rest.
const std::string kControlsAsRead = [] {
    std::string out;
    for (char c = 1; c < 0x20; ++c)
        out += c == '\t' || c == '\n' || c == '\r' ? std::string(1, c) : "\xEF\xBF\xBD";
    return out;
}();

struct Facts : ReportFacts {
    std::string windowsVersionText() override { return "XP <SP2> & \"more\""; }
    std::string currentSong() override { return "Bj\xF6rk - \"Hyper$ballad\" \\ ?> <?php echo 1; ?>"; }
    SystemNumbers systemNumbers() override { return {5, 1, 1024, 768, 75}; }
};

bool haveTool(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command; its standard output and whether it exited with 0.
bool run(const std::string& command, std::string& output) {
    output.clear();
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

struct ReportConsumersTest : ::testing::Test {
    std::string dir;
    DiskFiles files;
    Windows1252Codepage codepage;
    Facts facts;
    std::map<int, std::string> labels;
    std::vector<std::string> shown;

    void SetUp() override {
        char pattern[] = "/tmp/tabrix-report-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        for (int n = 2; n <= 36; ++n) labels[n] = "X";
        labels[2] = "He said \"hi\" \\ $x {$y} ?> <?php & < > Bj\xF6rk";
        labels[4] = "$\\\" %   ";
        labels[6] = "\\\"$+";
        labels[8] = "XP \\\\server\\share";
        labels[10] = "C:\\";
        labels[16] = "line\n\rnext";
        labels[20] = "'single' $uptime";
        labels[26] =
            "45 \xB0"
            "C";
        labels[28].clear();
        for (char c = 1; c < 0x20; ++c) labels[28] += c;  // every control character
        labels[30] = "<temp3/>";
        labels[31] = "a&b";
        labels[32] = "D: 1.25 Kb/s";
        labels[33] = "U: <&>\"$\\ Kb/s";
        ReportOutput out(
            files, codepage, facts, [this](int n) { return labels[n]; },
            [this](const std::string& m) { shown.push_back(m); }, "0.50");
        out.SaveResult(dir + "/stats", true, true);
        ASSERT_TRUE(shown.empty());
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

}  // namespace

TEST_F(ReportConsumersTest, PhpParsesTheScriptAndEachVariableHoldsTheShownText) {
    if (!haveTool("php")) GTEST_SKIP() << "php is not installed: the PHP report was not run";
    const std::string php = dir + "/stats.php";
    std::string output;
    ASSERT_TRUE(run("php -l " + php + " 2>&1", output)) << output;

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"processor", labels[2]},
        {"cpuclass", "\\\"$"},
        {"tabrix", "0.50"},
        {"currentusage", "$\\\""},
        {"winver", "Windows " + labels[8]},
        {"uptime", labels[20]},
        {"memused", labels[10]},
        {"virmemused", labels[16]},
        {"screen", "1024 x 768 @ 75 Hz"},
        {"temp1", labels[26]},
        {"temp2", labels[28]},
        {"temp3", labels[30]},
        {"curplaying", facts.currentSong()},
        {"ext_ip", labels[31]},
        {"downstream", labels[32]},
        {"upstream", labels[33]},
    };
    std::string names, want;
    for (const auto& [name, value] : expected) {
        names += " " + name;
        want += hex(value) + "\n";
    }
    // Anything the script printed by itself would show before the values.
    ASSERT_TRUE(
        run("php -r 'include $argv[1]; foreach (array_slice($argv, 2) as $n) "
            "echo bin2hex($$n), \"\\n\";' -- " +
                php + names,
            output));
    EXPECT_EQ(output, want);
}

TEST_F(ReportConsumersTest, XmllintReadsWellFormedUtf8AndEachValueAsShown) {
    if (!haveTool("xmllint")) GTEST_SKIP() << "xmllint is not installed: the XML report was not parsed";
    const std::string xml = dir + "/stats.xml";
    std::string output;
    ASSERT_TRUE(run("xmllint --noout --encode UTF-8 " + xml + " 2>&1", output)) << output;
    EXPECT_EQ(output, "");

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"/Tabrix/version", "0.50"},
        {"/Tabrix/processor/name", labels[2]},
        {"/Tabrix/processor/usage", "$\\\""},
        {"/Tabrix/processor/class", "\\\"$"},
        {"/Tabrix/windows/name", "XP <SP2> & \"more\""},
        {"/Tabrix/windows/version_major", "5"},
        {"/Tabrix/windows/version_minor", "1"},
        {"/Tabrix/windows/uptime", labels[20]},
        {"/Tabrix/memory/memory_used", labels[10]},
        {"/Tabrix/memory/virtual_memory", labels[16]},
        {"/Tabrix/display/screen_refresh_hz", "75"},
        {"/Tabrix/temperature/temp1", labels[26]},
        {"/Tabrix/temperature/temp2", kControlsAsRead},
        {"/Tabrix/temperature/temp3", labels[30]},
        {"/Tabrix/network/ext_ip", "a&b"},
        {"/Tabrix/network/upstream", " <&>\"$\\ Kb"},
        {"/Tabrix/network/downstream", " 1.25 Kb/s"},
    };
    for (const auto& [path, value] : expected) {
        // Brackets mark where the element's text begins and ends; the text is the value
        // between the line breaks that surround it.
        ASSERT_TRUE(run("xmllint --xpath 'concat(\"[\", " + path + ", \"]\")' " + xml, output)) << path;
        const size_t open = output.find('['), close = output.rfind(']');
        ASSERT_TRUE(open != std::string::npos && close != std::string::npos && close > open) << output;
        // kControlsAsRead is UTF-8 already; every other value is the label's ANSI text.
        const std::string utf8 = value == kControlsAsRead ? value : codepage.ansiToUtf8(value);
        EXPECT_EQ(output.substr(open + 1, close - open - 1), "\n" + utf8 + "\n") << path;
    }
}
