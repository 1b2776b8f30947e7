#include "project/ScreenshotInfo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <glog/logging.h>
#include <lodepng.h>
#include <memory>
#include <optional>
#include <vector>

#include "project/ScreenshotTime.h"

namespace {

constexpr char kDescriptionKeyword[] = "Description";
constexpr std::size_t kSignatureBytes = 8;
constexpr std::size_t kChunkOverhead = 12; // length, type and CRC

enum class EDescriptionKey { Device, Serial, Cpu, Dsp, CreationTime, UtcOffset };

struct SDescriptionKey
{
    const char* name;
    EDescriptionKey key;
};
constexpr SDescriptionKey kKeys[] = {
    {"Device", EDescriptionKey::Device},
    {"Serial", EDescriptionKey::Serial},
    {"CPU", EDescriptionKey::Cpu},
    {"DSP", EDescriptionKey::Dsp},
    {"CreationTime", EDescriptionKey::CreationTime},
    {"UtcOffset", EDescriptionKey::UtcOffset},
};
constexpr int kRequiredKeyCount = int(std::size(kKeys));

// A decimal integer with nothing after its digits; 0 otherwise.
int ParseUtcOffset(const CString& value)
{
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(value.GetString(), &end, 10);
    if (*end != '\0' || errno != 0 || parsed < INT_MIN || parsed > INT_MAX)
        return 0;
    return int(parsed);
}

void StoreValue(EDescriptionKey key, const CString& value, CImageSettings& image)
{
    switch (key) {
    case EDescriptionKey::Device: image.instrument = value; break;
    case EDescriptionKey::Serial: image.serialNumber = value; break;
    case EDescriptionKey::Cpu: image.instrumentCpu = value; break;
    case EDescriptionKey::Dsp: image.instrumentDsp = value; break;
    case EDescriptionKey::CreationTime: image.imageTime = UtcTimeFromScreenshotText(value); break;
    case EDescriptionKey::UtcOffset: image.utcOffset = ParseUtcOffset(value); break;
    }
}

std::optional<std::vector<unsigned char>> ReadWholeFile(const CString& path)
{
    std::ifstream file(path.GetString(), std::ios::binary | std::ios::ate);
    if (!file)
        return std::nullopt;
    const std::streamoff size = file.tellg();
    if (size < 0 || std::uint64_t(size) > kMaxScreenshotFileBytes) {
        LOG(INFO) << "ReadScreenshotInfo - WARNING: " << path.GetString() << " is not read (" << size << " bytes)";
        return std::nullopt;
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        return std::nullopt;
    return bytes;
}

struct SStateDeleter
{
    void operator()(LodePNGState* state) const
    {
        lodepng_state_cleanup(state);
        delete state;
    }
};
using StatePtr = std::unique_ptr<LodePNGState, SStateDeleter>;

// Walks the chunks after the header, checking each one's bounds and CRC up to IEND, and lets
// LodePNG read the text chunks into the state; the pixel data is never inflated. False for a
// malformed file, as decoding it would have failed.
bool ReadTextChunks(const std::vector<unsigned char>& png, LodePNGState& state)
{
    unsigned width = 0;
    unsigned height = 0;
    if (lodepng_inspect(&width, &height, &state, png.data(), png.size()) != 0)
        return false;
    const unsigned char* const begin = png.data();
    const unsigned char* const end = begin + png.size();
    for (const unsigned char* chunk = begin + kSignatureBytes;;) {
        if (std::size_t(end - chunk) < kChunkOverhead)
            return false;
        const std::size_t length = lodepng_chunk_length(chunk);
        if (length > std::size_t(end - chunk) - kChunkOverhead || lodepng_chunk_check_crc(chunk) != 0)
            return false;
        if (lodepng_chunk_type_equals(chunk, "IEND"))
            return true;
        if (lodepng_chunk_type_equals(chunk, "tEXt") || lodepng_chunk_type_equals(chunk, "zTXt")) {
            if (lodepng_inspect_chunk(&state, std::size_t(chunk - begin), begin, png.size()) != 0)
                return false;
        }
        chunk += length + kChunkOverhead;
    }
}

} // namespace

bool ParseScreenshotDescription(const CString& description, CImageSettings& image)
{
    int count = 0;
    int position = 0;
    while (position < description.GetLength()) {
        const int equals = description.Find('=', position);
        if (equals < 0)
            break;
        const CString key = description.Mid(position, equals - position);
        int lineEnd = description.Find('\n', equals + 1);
        if (lineEnd < 0)
            lineEnd = description.GetLength();
        const CString value = description.Mid(equals + 1, lineEnd - equals - 1);
        position = lineEnd + 1;
        for (const SDescriptionKey& known : kKeys) {
            if (key == known.name) {
                StoreValue(known.key, value, image);
                ++count;
                break;
            }
        }
    }
    return count == kRequiredKeyCount;
}

bool ReadScreenshotInfo(const CString& path, CImageSettings& image)
{
    const int slash = path.ReverseFind('/');
    image.imageTime = TimeFromScreenshotFileName(path.Mid(slash + 1));

    const std::optional<std::vector<unsigned char>> png = ReadWholeFile(path);
    if (!png)
        return false;
    StatePtr state(new LodePNGState);
    lodepng_state_init(state.get());
    if (!ReadTextChunks(*png, *state)) {
        LOG(INFO) << "ReadScreenshotInfo - WARNING: " << path.GetString() << " is not a readable PNG file";
        return false;
    }
    bool result = false;
    const LodePNGInfo& info = state->info_png;
    for (std::size_t i = 0; i < info.text_num; ++i) {
        if (std::string_view(info.text_keys[i]) != kDescriptionKeyword)
            continue;
        const std::string_view text(info.text_strings[i]);
        result = ParseScreenshotDescription(CString::FromWindows1252(text.data(), text.size()), image);
    }
    return result;
}
