#include "platform/chart/PlotPicture.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace {

void Put16(std::vector<BYTE>& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = BYTE(value & 0xFF);
    bytes[at + 1] = BYTE(value >> 8);
}

void Put32(std::vector<BYTE>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + std::size_t(i)] = BYTE((value >> (8 * i)) & 0xFF);
}

// The 14-byte file header and the 40-byte information header of a bottom-up bitmap.
std::vector<BYTE> BitmapHeaders(std::uint32_t width, std::uint32_t height, int bits, std::uint32_t colours)
{
    const std::uint32_t stride = (width * std::uint32_t(bits) + 31) / 32 * 4; // rows padded to four bytes
    const std::uint32_t offset = 14 + 40 + 4 * colours;
    std::vector<BYTE> bytes(offset + std::size_t(stride) * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, std::uint32_t(bytes.size()));
    Put32(bytes, 10, offset);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, width);
    Put32(bytes, 22, height); // positive: rows bottom-up
    Put16(bytes, 26, 1);
    Put16(bytes, 28, std::uint16_t(bits));
    Put32(bytes, 30, 0);      // no compression
    Put32(bytes, 34, stride * height);
    Put32(bytes, 38, 2835);   // 72 dpi
    Put32(bytes, 42, 2835);
    Put32(bytes, 46, colours);
    return bytes;
}

} // namespace

std::vector<BYTE> EncodeBitmapIndexed(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width(), height = image.height();
    // Runs of one colour are the rule: the last colour's index is kept at hand.
    std::vector<QRgb> palette;
    std::unordered_map<QRgb, BYTE> index;
    QRgb last = 0;
    BYTE lastIndex = 0;
    const auto indexOf = [&](QRgb colour) {
        colour |= 0xFF000000u;
        if (palette.empty() || colour != last) {
            const auto [at, added] = index.try_emplace(colour, BYTE(palette.size()));
            if (added)
                palette.push_back(colour);
            last = colour;
            lastIndex = at->second;
        }
        return lastIndex;
    };
    for (int y = 0; y < height && palette.size() <= 256; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width && palette.size() <= 256; ++x)
            indexOf(line[x]);
    }
    if (palette.size() > 256)
        return EncodeBitmap24(image);
    const int bits = palette.size() <= 2 ? 1 : palette.size() <= 16 ? 4 : 8;
    const std::uint32_t colours = 1u << bits;
    std::vector<BYTE> bytes = BitmapHeaders(std::uint32_t(width), std::uint32_t(height), bits, colours);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        BYTE* entry = bytes.data() + 54 + 4 * i; // blue, green, red, 0
        entry[0] = BYTE(qBlue(palette[i]));
        entry[1] = BYTE(qGreen(palette[i]));
        entry[2] = BYTE(qRed(palette[i]));
    }
    const std::size_t stride = (std::size_t(width) * std::size_t(bits) + 31) / 32 * 4;
    BYTE* pixels = bytes.data() + 54 + 4 * colours;
    const int perByte = 8 / bits;
    for (int row = 0; row < height; ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(height - 1 - row));
        BYTE* out = pixels + std::size_t(row) * stride;
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bits * (x % perByte + 1); // the leftmost pixel in the high bits
            out[x / perByte] |= BYTE(indexOf(line[x]) << shift);
        }
    }
    return bytes;
}

std::vector<BYTE> EncodeBitmap24(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const std::uint32_t width = std::uint32_t(image.width()), height = std::uint32_t(image.height());
    std::vector<BYTE> bytes = BitmapHeaders(width, height, 24, 0);
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    for (std::uint32_t row = 0; row < height; ++row) {
        const uchar* line = image.constScanLine(int(height - 1 - row));
        BYTE* out = bytes.data() + 54 + std::size_t(row) * stride;
        for (std::uint32_t x = 0; x < width; ++x) {
            out[3 * x] = line[3 * x + 2]; // stored blue, green, red
            out[3 * x + 1] = line[3 * x + 1];
            out[3 * x + 2] = line[3 * x];
        }
    }
    return bytes;
}
