// Writes blocks of AIMP's published shape (a header giving its own length and six texts'
// counts, then the texts in UTF-16) as the first corpus of its fuzz target.
// Usage: aimp_seeds <folder>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string block(uint32_t header, const std::vector<std::u16string>& texts) {
    std::string b(header, '\0');
    auto put = [&](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
    };
    put(0, header);
    for (std::size_t k = 0; k < texts.size(); ++k) {
        put(40 + 4 * k, static_cast<uint32_t>(texts[k].size()));
        for (char16_t u : texts[k]) {
            b += static_cast<char>(u & 0xFF);
            b += static_cast<char>(u >> 8);
        }
    }
    return b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string blocks[] = {
        block(88, {u"Album", u"Artist", u"2001", u"C:\\Music\\a.mp3", u"Pop", u"Title"}),
        block(64, {u"", u"Bj\u00f6rk", u"", u"", u"", u"J\u00f3ga \xD83C\xDFB5"}),
        block(88, {u"", u"", u"", u"D:\\x\\only-a-file.flac", u"", u""})};
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
