// Writes blocks of AIMP's published shape (a header giving its own length and six texts'
// counts, then the texts in UTF-16) as the first corpus of its fuzz target.
// Usage: aimp_seeds <folder>
#include <cstdio>
#include <string>

#include "../tests/aimp_block.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string blocks[] = {
        aimp_block::build(88, {u"Album", u"Artist", u"2001", u"C:\\Music\\a.mp3", u"Pop", u"Title"}),
        aimp_block::build(64, {u"", u"Bj\u00f6rk", u"", u"", u"", u"J\u00f3ga \xD83C\xDFB5"}),
        aimp_block::build(88, {u"", u"", u"", u"D:\\x\\only-a-file.flac", u"", u""})};
    int n = 0;
    for (const std::string& b : blocks) {
        const std::string path = std::string(argv[1]) + "/seed" + std::to_string(++n);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) return 1;
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    }
    return 0;
}
