#include "study/CalendarThumbnailFile.h"

#include "platform/framework/windows/GdiObjects.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::int32_t kLargestSide = 16384;

std::uint32_t U32(const std::vector<unsigned char>& bytes, std::size_t at)
{
    return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8 | std::uint32_t(bytes[at + 2]) << 16 |
           std::uint32_t(bytes[at + 3]) << 24;
}

std::uint16_t U16(const std::vector<unsigned char>& bytes, std::size_t at)
{
    return std::uint16_t(bytes[at] | bytes[at + 1] << 8);
}

// Pixels B, G, R, x of a width x height picture, shrunk to newWidth x newHeight.
std::vector<unsigned char> ShrinkDarkest(const std::vector<unsigned char>& pixels, int width, int height, int newWidth,
                                         int newHeight)
{
    std::vector<unsigned char> shrunk(std::size_t(newWidth) * std::size_t(newHeight) * 4, 0xFF);
    for (int y = 0; y < newHeight; ++y) {
        const int top = y * height / newHeight;
        const int bottom = std::max(top + 1, (y + 1) * height / newHeight);
        for (int x = 0; x < newWidth; ++x) {
            const int left = x * width / newWidth;
            const int right = std::max(left + 1, (x + 1) * width / newWidth);
            unsigned char* target = shrunk.data() + (std::size_t(y) * std::size_t(newWidth) + std::size_t(x)) * 4;
            target[3] = 0;
            for (int sy = top; sy < bottom; ++sy)
                for (int sx = left; sx < right; ++sx) {
                    const unsigned char* source = pixels.data() + (std::size_t(sy) * std::size_t(width) + std::size_t(sx)) * 4;
                    for (int c = 0; c < 3; ++c)
                        target[c] = std::min(target[c], source[c]);
                }
        }
    }
    return shrunk;
}

} // namespace

std::unique_ptr<CBitmap> ReadThumbnailBitmap(const CString& path, CSize fit)
{
    std::ifstream file(path.GetString(), std::ios::binary | std::ios::ate);
    if (!file)
        return nullptr;
    const std::streamoff length = file.tellg();
    if (length <= 0)
        return nullptr;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(length));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), length))
        return nullptr;
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
        return nullptr;
    const std::uint32_t fileSize = U32(bytes, 2);
    const std::uint32_t pixelOffset = U32(bytes, 10);
    const std::int32_t width = std::int32_t(U32(bytes, 18));
    const std::int32_t signedHeight = std::int32_t(U32(bytes, 22));
    const int bitsPerPixel = U16(bytes, 28);
    const std::uint32_t compression = U32(bytes, 30);
    const std::size_t colourTable = bitsPerPixel < 16 ? std::size_t(4) << bitsPerPixel : 0;
    const bool indexed = bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8;
    if (U32(bytes, 14) < kInfoHeaderSize || compression != 0 || (!indexed && bitsPerPixel != 24 && bitsPerPixel != 32) ||
        width <= 0 || width > kLargestSide || signedHeight == 0 || signedHeight < -kLargestSide ||
        signedHeight > kLargestSide || fileSize > bytes.size() ||
        pixelOffset < kFileHeaderSize + kInfoHeaderSize + colourTable || pixelOffset > fileSize)
        return nullptr;
    const bool bottomUp = signedHeight > 0;
    const int height = bottomUp ? signedHeight : -signedHeight;
    const std::size_t stride = (std::size_t(width) * std::size_t(bitsPerPixel) + 31) / 32 * 4;
    if (std::size_t(fileSize - pixelOffset) < stride * std::size_t(height))
        return nullptr;

    // Blue, green, red of pixel x of a stored row, through the colour table when indexed.
    const std::size_t tableAt = kFileHeaderSize + std::size_t(U32(bytes, 14));
    if (indexed && tableAt + colourTable > pixelOffset)
        return nullptr;
    const unsigned char* table = bytes.data() + std::min(tableAt, bytes.size());
    const auto colourOf = [&](const unsigned char* row, int x) {
        if (!indexed)
            return row + std::size_t(bitsPerPixel / 8) * std::size_t(x);
        const int perByte = 8 / bitsPerPixel;
        const int shift = 8 - bitsPerPixel * (x % perByte + 1);
        const int index = (row[x / perByte] >> shift) & ((1 << bitsPerPixel) - 1);
        return table + 4 * std::size_t(index);
    };
    std::vector<unsigned char> pixels(std::size_t(width) * std::size_t(height) * 4);
    for (int y = 0; y < height; ++y) {
        const unsigned char* source = bytes.data() + pixelOffset + stride * std::size_t(bottomUp ? height - 1 - y : y);
        unsigned char* target = pixels.data() + std::size_t(y) * std::size_t(width) * 4;
        for (int x = 0; x < width; ++x) {
            std::memcpy(target + 4 * x, colourOf(source, x), 3);
            target[4 * x + 3] = 0;
        }
    }
    int shownWidth = width;
    int shownHeight = height;
    if (fit.cx > 0 && fit.cy > 0 && (fit.cx < width || fit.cy < height)) {
        const double scale = std::min(double(fit.cx) / width, double(fit.cy) / height);
        shownWidth = std::max(1, int(width * scale));
        shownHeight = std::max(1, int(height * scale));
        pixels = ShrinkDarkest(pixels, width, height, shownWidth, shownHeight);
    }
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->CreateBitmap(shownWidth, shownHeight, 1, 32, pixels.data()))
        return nullptr;
    return bitmap;
}
