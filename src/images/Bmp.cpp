#include "images/Bmp.h"

#include <cstdint>
#include <vector>

#include "platform/Error.h"

namespace tabrix {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

[[noreturn]] void fail() {
    throw Error(kBadBitmap);
}

// Little-endian reads that refuse to step outside the buffer.
class Bytes {
public:
    explicit Bytes(const std::string& bytes) : b_(bytes) {}
    size_t size() const { return b_.size(); }
    bool has(size_t offset, size_t count) const { return offset <= b_.size() && count <= b_.size() - offset; }
    uint8_t u8(size_t offset) const {
        if (!has(offset, 1)) fail();
        return static_cast<uint8_t>(b_[offset]);
    }
    uint16_t u16(size_t offset) const { return static_cast<uint16_t>(u8(offset) | (u8(offset + 1) << 8)); }
    uint32_t u32(size_t offset) const {
        return static_cast<uint32_t>(u16(offset)) | (static_cast<uint32_t>(u16(offset + 2)) << 16);
    }
    int32_t i32(size_t offset) const { return static_cast<int32_t>(u32(offset)); }

private:
    const std::string& b_;
};

struct Header {
    int width = 0;
    int height = 0;  // rows, always positive
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // red, green, blue: 16-bit 5-5-5
    std::vector<uint32_t> palette;                 // 0x00RRGGBB
    size_t dataOffset = 0;
};

// One colour channel of a bit-field pixel, scaled to eight bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint64_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (mask == 0) return;
        while (((mask >> shift) & 1u) == 0) ++shift;
        max = mask >> shift;
    }
    uint32_t of(uint32_t pixel) const {
        if (max == 0) return 0;
        const uint64_t v = (pixel & mask) >> shift;
        return static_cast<uint32_t>((v * 255 + max / 2) / max);
    }
};

bool validBitCount(int bits, bool core) {
    switch (bits) {
        case 1:
        case 4:
        case 8:
        case 24:
            return true;
        case 16:
        case 32:
            return !core;
        default:
            return false;
    }
}

// The size, depth and compression from the info or core header.
void readDimensions(const Bytes& in, bool core, Header& h) {
    const size_t at = kFileHeaderSize;
    int64_t width, height;
    if (core) {
        width = in.u16(at + 4);
        height = in.u16(at + 6);
        h.bitCount = in.u16(at + 10);
    } else {
        width = in.i32(at + 4);
        height = in.i32(at + 8);
        h.bitCount = in.u16(at + 14);
        h.compression = in.u32(at + 16);
    }
    if (height < 0) {
        h.topDown = true;
        height = -height;
    }
    // Refused before anything is allocated for it.
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide) fail();
    h.width = static_cast<int>(width);
    h.height = static_cast<int>(height);
    if (!validBitCount(h.bitCount, core)) fail();
}

// The compression checked against the depth, and the bit-field masks; returns where the
// colour table starts.
size_t readMasks(const Bytes& in, uint32_t headerSize, Header& h) {
    size_t paletteAt = kFileHeaderSize + headerSize;
    switch (h.compression) {
        case kBiRgb:
            break;
        case kBiRle8:
        case kBiRle4:
            if (h.bitCount != (h.compression == kBiRle8 ? 8 : 4) || h.topDown) fail();
            break;
        case kBiBitfields:
            if (h.bitCount != 16 && h.bitCount != 32) fail();
            // The plain info header keeps the masks after itself; the later ones inside.
            for (int i = 0; i < 3; ++i) h.masks[i] = in.u32(kFileHeaderSize + kInfoHeaderSize + 4 * i);
            if (headerSize == kInfoHeaderSize) paletteAt += 12;
            break;
        default:
            fail();
    }
    if (h.bitCount == 32 && h.compression == kBiRgb) {
        h.masks[0] = 0xFF0000;
        h.masks[1] = 0x00FF00;
        h.masks[2] = 0x0000FF;
    }
    return paletteAt;
}

// The colour table of a picture of 8 bits or fewer; returns where it ends.
size_t readPalette(const Bytes& in, bool core, size_t paletteAt, Header& h) {
    if (h.bitCount > 8) return paletteAt;
    const uint32_t full = 1u << h.bitCount;
    const uint32_t used = core ? 0 : in.u32(kFileHeaderSize + 32);
    const uint32_t count = used == 0 || used > full ? full : used;
    const size_t entry = core ? 3 : 4;
    if (!in.has(paletteAt, count * entry)) fail();
    h.palette.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const size_t e = paletteAt + i * entry;
        h.palette[i] = (in.u8(e + 2) << 16) | (in.u8(e + 1) << 8) | in.u8(e);
    }
    return paletteAt + count * entry;
}

Header readHeader(const Bytes& in) {
    if (!in.has(0, kFileHeaderSize) || in.u8(0) != 'B' || in.u8(1) != 'M') fail();
    const uint32_t offBits = in.u32(10);
    const uint32_t headerSize = in.u32(kFileHeaderSize);
    const bool core = headerSize == kCoreHeaderSize;
    if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        fail();
    if (!in.has(kFileHeaderSize, headerSize)) fail();

    Header h;
    readDimensions(in, core, h);
    const size_t pixelsAfter = readPalette(in, core, readMasks(in, headerSize, h), h);
    // Some writers leave the offset at 0: the pixels then follow the palette.
    h.dataOffset = offBits != 0 ? offBits : pixelsAfter;
    if (h.dataOffset >= in.size()) fail();
    return h;
}

uint32_t paletteColor(const Header& h, uint32_t index) {
    // An index past the colour table draws black rather than reading beyond it.
    return index < h.palette.size() ? h.palette[index] : 0;
}

uint64_t rowStride(const Header& h) {
    return (static_cast<uint64_t>(h.width) * h.bitCount + 31) / 32 * 4;
}

void decodeRows(const Bytes& in, const Header& h, Pixels& out) {
    const uint64_t stride = rowStride(h);
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    for (int r = 0; r < h.height; ++r) {
        const size_t row = h.dataOffset + static_cast<size_t>(stride * r);
        const int y = h.topDown ? r : h.height - 1 - r;
        uint32_t* dst = &out.data[static_cast<size_t>(y) * h.width];
        for (int x = 0; x < h.width; ++x) {
            switch (h.bitCount) {
                case 1:
                case 4:
                case 8: {
                    const size_t bit = static_cast<size_t>(x) * h.bitCount;
                    const uint32_t byte = in.u8(row + bit / 8);
                    const uint32_t shift = 8 - h.bitCount - bit % 8;
                    dst[x] = paletteColor(h, (byte >> shift) & ((1u << h.bitCount) - 1));
                    break;
                }
                case 16: {
                    const uint32_t p = in.u16(row + 2 * static_cast<size_t>(x));
                    dst[x] = (red.of(p) << 16) | (green.of(p) << 8) | blue.of(p);
                    break;
                }
                case 24: {
                    const size_t p = row + 3 * static_cast<size_t>(x);
                    dst[x] = (in.u8(p + 2) << 16) | (in.u8(p + 1) << 8) | in.u8(p);
                    break;
                }
                case 32: {
                    const uint32_t p = in.u32(row + 4 * static_cast<size_t>(x));
                    dst[x] = (red.of(p) << 16) | (green.of(p) << 8) | blue.of(p);
                    break;
                }
            }
        }
    }
}

// Run-length encoded rows, bottom-up. Pixels the runs skip stay black; runs past the
// picture's edge are dropped. The stream must end with its end-of-bitmap mark.
void decodeRle(const Bytes& in, const Header& h, Pixels& out) {
    const bool four = h.compression == kBiRle4;
    int x = 0, row = 0;
    auto put = [&](uint32_t index) {
        if (x < h.width && row < h.height)
            out.data[static_cast<size_t>(h.height - 1 - row) * h.width + x] = paletteColor(h, index);
        if (x < h.width) ++x;
    };
    auto nibble = [&](uint32_t byte, int i) { return four ? (i % 2 == 0 ? byte >> 4 : byte & 15) : byte; };
    size_t pos = h.dataOffset;
    for (;;) {
        const uint32_t count = in.u8(pos), value = in.u8(pos + 1);
        pos += 2;
        if (count > 0) {
            for (uint32_t i = 0; i < count; ++i) put(nibble(value, static_cast<int>(i)));
        } else if (value == 0) {
            x = 0;
            if (row < h.height) ++row;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            const int dx = in.u8(pos), dy = in.u8(pos + 1);
            pos += 2;
            x = x + dx < h.width ? x + dx : h.width;
            row = row + dy < h.height ? row + dy : h.height;
        } else {
            const size_t bytes = four ? (value + 1) / 2 : value;
            if (!in.has(pos, bytes)) fail();
            for (uint32_t i = 0; i < value; ++i)
                put(nibble(in.u8(pos + (four ? i / 2 : i)), static_cast<int>(i)));
            pos += bytes + (bytes % 2);  // absolute runs keep to 16-bit words
        }
    }
}

}  // namespace

Pixels decodeBmp(const std::string& bytes) {
    const Bytes in(bytes);
    const Header h = readHeader(in);
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    // A short file is refused before the picture is allocated.
    if (!rle && !in.has(h.dataOffset, rowStride(h) * h.height)) fail();
    Pixels out;
    out.width = h.width;
    out.height = h.height;
    out.data.assign(static_cast<size_t>(h.width) * h.height, 0);
    if (rle)
        decodeRle(in, h, out);
    else
        decodeRows(in, h, out);
    return out;
}

uint32_t fileCrc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

}  // namespace tabrix
