#pragma once
// PNG files built chunk by chunk, so that tests can write well-formed pictures with text chunks
// as the logger does and break them in chosen ways.
#include <cstdint>
#include <string>
#include <vector>

class CPngBuilder
{
public:
    // Signature and the header of a 1x1 8-bit grey picture.
    CPngBuilder()
    {
        m_bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        AddChunk("IHDR", {0, 0, 0, 1, 0, 0, 0, 1, 8, 0, 0, 0, 0});
    }

    CPngBuilder& AddChunk(const std::string& type, const std::vector<unsigned char>& data)
    {
        const std::size_t start = m_bytes.size();
        Put32(std::uint32_t(data.size()));
        m_bytes.insert(m_bytes.end(), type.begin(), type.end());
        m_bytes.insert(m_bytes.end(), data.begin(), data.end());
        Put32(Crc32(m_bytes.data() + start + 4, 4 + data.size()));
        return *this;
    }
    CPngBuilder& AddText(const std::string& keyword, const std::string& text)
    {
        std::vector<unsigned char> data(keyword.begin(), keyword.end());
        data.push_back(0);
        data.insert(data.end(), text.begin(), text.end());
        return AddChunk("tEXt", data);
    }
    CPngBuilder& AddCompressedText(const std::string& keyword, const std::string& text)
    {
        std::vector<unsigned char> data(keyword.begin(), keyword.end());
        data.push_back(0);
        data.push_back(0); // deflate
        const std::vector<unsigned char> packed = Stored({text.begin(), text.end()});
        data.insert(data.end(), packed.begin(), packed.end());
        return AddChunk("zTXt", data);
    }
    // One grey pixel, then the end.
    CPngBuilder& Finish()
    {
        AddChunk("IDAT", Stored({0, 0x80}));
        return AddChunk("IEND", {});
    }

    std::vector<unsigned char>& Bytes() { return m_bytes; }

private:
    static std::uint32_t Crc32(const unsigned char* data, std::size_t size)
    {
        std::uint32_t crc = 0xFFFFFFFFu;
        for (std::size_t i = 0; i < size; ++i) {
            crc ^= data[i];
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
        return crc ^ 0xFFFFFFFFu;
    }
    // A zlib stream of one stored (uncompressed) deflate block; up to 65535 bytes.
    static std::vector<unsigned char> Stored(const std::vector<unsigned char>& raw)
    {
        const auto n = std::uint16_t(raw.size());
        std::vector<unsigned char> out = {0x78, 0x01, 0x01, static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
                                          static_cast<unsigned char>(~n), static_cast<unsigned char>(~n >> 8)};
        out.insert(out.end(), raw.begin(), raw.end());
        std::uint32_t a = 1, b = 0;
        for (unsigned char c : raw) {
            a = (a + c) % 65521;
            b = (b + a) % 65521;
        }
        const std::uint32_t adler = (b << 16) | a;
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<unsigned char>(adler >> shift));
        return out;
    }

    void Put32(std::uint32_t v)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            m_bytes.push_back(static_cast<unsigned char>(v >> shift));
    }

    std::vector<unsigned char> m_bytes;
};
