#include "platform/chart/PlotPicture.h"

#include <cstring>

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

} // namespace

std::vector<BYTE> EncodeBitmap24(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const std::uint32_t width = std::uint32_t(image.width()), height = std::uint32_t(image.height());
    const std::uint32_t stride = (width * 3 + 3) & ~3u; // rows padded to four bytes
    constexpr std::uint32_t kHeaders = 14 + 40;
    std::vector<BYTE> bytes(kHeaders + std::size_t(stride) * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, std::uint32_t(bytes.size()));
    Put32(bytes, 10, kHeaders);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, width);
    Put32(bytes, 22, height); // positive: rows bottom-up
    Put16(bytes, 26, 1);
    Put16(bytes, 28, 24);
    Put32(bytes, 30, 0);      // no compression
    Put32(bytes, 34, stride * height);
    Put32(bytes, 38, 2835);   // 72 dpi
    Put32(bytes, 42, 2835);
    for (std::uint32_t row = 0; row < height; ++row) {
        const uchar* line = image.constScanLine(int(height - 1 - row));
        BYTE* out = bytes.data() + kHeaders + std::size_t(row) * stride;
        for (std::uint32_t x = 0; x < width; ++x) {
            out[3 * x] = line[3 * x + 2]; // stored blue, green, red
            out[3 * x + 1] = line[3 * x + 1];
            out[3 * x + 2] = line[3 * x];
        }
    }
    return bytes;
}
