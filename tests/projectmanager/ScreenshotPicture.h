#pragma once
// PNG pictures for the saved screens of tests and benchmarks.
#include "platform/framework/windows/GdiObjects.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A logger screenshot (or, without a serial number, a picture from elsewhere) of that size:
// a dark screen with a light frame and bars, so that scaling shows in a rendered page.
inline std::vector<unsigned char> MakePicture(int width, int height, const std::string& serial)
{
    std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height), 0x202830);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool frame = x < 4 || y < 4 || x >= width - 4 || y >= height - 4;
            const bool bar = y > height / 3 && (x / 24) % 2 == 0 && y > height - (x % 97) * height / 120;
            if (frame || bar)
                pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = frame ? 0xE0E0E0 : 0x30B0F0;
        }
    CBitmap bitmap;
    bitmap.CreateBitmap(width, height, 1, 32, pixels.data());
    CTempFolder scratch;
    const std::string path = scratch.Path("picture.png");
    bitmap.SaveToFile(CString(path));
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (serial.empty())
        return bytes;
    // The logger's description as a text chunk right after the header chunk.
    const std::string text = "Description";
    std::vector<unsigned char> chunk = {'t', 'E', 'X', 't'};
    chunk.insert(chunk.end(), text.begin(), text.end());
    chunk.push_back(0);
    const std::string value = "Device=Zelko4626\nSerial=" + serial + "\nCPU=2.1\nDSP=1.4\nCreationTime=2026-03-02 101500\nUtcOffset=60";
    chunk.insert(chunk.end(), value.begin(), value.end());
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : chunk) {
        crc ^= c;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc ^= 0xFFFFFFFFu;
    std::vector<unsigned char> framed;
    const auto put32 = [&](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            framed.push_back(static_cast<unsigned char>(v >> shift));
    };
    put32(std::uint32_t(chunk.size() - 4));
    framed.insert(framed.end(), chunk.begin(), chunk.end());
    put32(crc);
    bytes.insert(bytes.begin() + 33, framed.begin(), framed.end());
    return bytes;
}
