// Damaged, hostile and foreign-version files: a clear result, never a crash, a hang or a read
// beyond the file.
#include <gtest/gtest.h>

#include "platform/storage/CompoundFile.h"
#include "platform/storage/CompoundFileFormat.h"
#include "platform/storage/StorageStream.h"
#include "platform/storage/StorageTestSupport.h"

using namespace storage_test;

namespace {

// Byte-level access to a file image, for planting faults.
struct SImage
{
    std::string bytes;
    std::uint32_t sectorSize = 512;

    std::uint8_t* At(std::uint64_t offset) { return reinterpret_cast<std::uint8_t*>(bytes.data()) + offset; }
    std::uint64_t SectorOffset(std::uint32_t sector) const { return (std::uint64_t(sector) + 1) * sectorSize; }
    std::uint32_t HeaderField(std::size_t offset) { return cfb::Get32(At(offset)); }
    // FAT entry, through the first table sector the header names.
    std::uint8_t* Fat(std::uint32_t index)
    {
        const std::uint32_t perSector = sectorSize / 4;
        const std::uint32_t location = HeaderField(cfb::kOffHeaderDifat + 4 * (index / perSector));
        return At(SectorOffset(location) + 4 * (index % perSector));
    }
    std::uint8_t* Entry(std::uint32_t sid)
    {
        return At(SectorOffset(HeaderField(cfb::kOffFirstDirSector)) + std::uint64_t(sid) * cfb::kDirEntrySize);
    }
    std::uint32_t EntryIndex(const std::u16string& name)
    {
        for (std::uint32_t sid = 0; sid < sectorSize / cfb::kDirEntrySize; ++sid) {
            const std::uint8_t* entry = Entry(sid);
            std::u16string entryName;
            for (std::size_t i = 0; i + 1 < cfb::Get16(entry + 64) / 2u; ++i)
                entryName.push_back(char16_t(cfb::Get16(entry + 2 * i)));
            if (entryName == name)
                return sid;
        }
        return cfb::kNoStream;
    }
};

// Opens read-only and reads every stream; the result of the first failure.
EStorageResult OpenAndReadEverything(const std::string& path)
{
    std::shared_ptr<CCompoundFile> file;
    EStorageResult result = CCompoundFile::Open(path.c_str(), EStorageAccess::Read, file);
    if (result != EStorageResult::Ok)
        return result;
    for (const SStorageElement& element : file->EnumElements()) {
        std::string data;
        if (element.type == EStorageElementType::Stream &&
            (result = ReadStream(*file, element.name.str(), data)) != EStorageResult::Ok)
            return result;
    }
    return EStorageResult::Ok;
}

class StorageMalformedTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::shared_ptr<CCompoundFile> file;
        ASSERT_EQ(CCompoundFile::Create(m_valid.c_str(), file), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "first", Pattern(3000, 1)), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "second", Pattern(20000, 2)), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "third", Pattern(6000, 3)), EStorageResult::Ok);
        file.reset();
        m_image.bytes = ReadFileBytes(m_valid);
    }
    EStorageResult Try(const SImage& image)
    {
        WriteFileBytes(m_broken, image.bytes);
        return OpenAndReadEverything(m_broken);
    }

    CScratchDir m_dir;
    std::string m_valid = m_dir.Path("valid.zca");
    std::string m_broken = m_dir.Path("broken.zca");
    SImage m_image;
};

} // namespace

TEST_F(StorageMalformedTest, TruncatedFilesFailToOpen)
{
    std::map<std::string, std::string> original;
    ASSERT_EQ(ReadAll(m_valid, original), EStorageResult::Ok);
    int failed = 0;
    for (std::size_t cut = 0; cut < m_image.bytes.size(); cut += 97) {
        SImage image = m_image;
        image.bytes.resize(cut);
        // A cut that only drops unused sectors at the end loses nothing; any other fails.
        std::map<std::string, std::string> read;
        WriteFileBytes(m_broken, image.bytes);
        const EStorageResult result = ReadAll(m_broken, read);
        if (result == EStorageResult::Ok)
            EXPECT_EQ(read, original) << "cut at " << cut;
        else
            EXPECT_EQ(result, EStorageResult::Corrupt) << "cut at " << cut;
        failed += result != EStorageResult::Ok;
    }
    EXPECT_GT(failed, int(m_image.bytes.size() / 97 / 2));
}

TEST_F(StorageMalformedTest, LoopsAndCrossLinksAreFound)
{
    const std::uint32_t second = m_image.EntryIndex(u"second");
    const std::uint32_t third = m_image.EntryIndex(u"third");
    ASSERT_NE(second, cfb::kNoStream);
    ASSERT_NE(third, cfb::kNoStream);
    const std::uint32_t secondStart = cfb::Get32(m_image.Entry(second) + 116);
    const std::uint32_t thirdStart = cfb::Get32(m_image.Entry(third) + 116);

    SImage loop = m_image; // the chain's tenth sector leads back to its first
    std::uint32_t sector = secondStart;
    for (int i = 0; i < 9; ++i)
        sector = cfb::Get32(loop.Fat(sector));
    cfb::Put32(loop.Fat(sector), secondStart);
    EXPECT_EQ(Try(loop), EStorageResult::Corrupt);

    SImage selfLoop = m_image;
    cfb::Put32(selfLoop.Fat(thirdStart), thirdStart);
    EXPECT_EQ(Try(selfLoop), EStorageResult::Corrupt);

    SImage crossed = m_image; // two streams share their sectors
    cfb::Put32(crossed.Entry(third) + 116, secondStart);
    EXPECT_EQ(Try(crossed), EStorageResult::Corrupt);

    SImage intoFat = m_image; // a chain that runs into a table sector
    cfb::Put32(intoFat.Fat(thirdStart), intoFat.HeaderField(cfb::kOffHeaderDifat));
    EXPECT_EQ(Try(intoFat), EStorageResult::Corrupt);

    SImage beyond = m_image;
    cfb::Put32(beyond.Fat(thirdStart), 0x00FFFFFF);
    EXPECT_EQ(Try(beyond), EStorageResult::Corrupt);

    SImage tooShort = m_image; // a size beyond what the chain holds
    cfb::Put32(tooShort.Entry(third) + 120, 600000);
    EXPECT_EQ(Try(tooShort), EStorageResult::Corrupt);

    SImage treeLoop = m_image; // a directory entry that is its own sibling
    cfb::Put32(treeLoop.Entry(second) + 68, second);
    cfb::Put32(treeLoop.Entry(second) + 72, 0);
    EXPECT_EQ(Try(treeLoop), EStorageResult::Corrupt);

    SImage tableCount = m_image; // more table sectors than the file holds
    cfb::Put32(tableCount.At(cfb::kOffFatSectorCount), 0x7FFFFFFF);
    EXPECT_EQ(Try(tableCount), EStorageResult::Corrupt);

    SImage difatLoop = m_image; // a DIFAT chain that leads to itself
    cfb::Put32(difatLoop.At(cfb::kOffFatSectorCount), 300);
    cfb::Put32(difatLoop.At(cfb::kOffFirstDifatSector), 0);
    cfb::Put32(difatLoop.At(difatLoop.SectorOffset(0) + 508), 0);
    EXPECT_EQ(Try(difatLoop), EStorageResult::Corrupt);

    SImage version = m_image;
    cfb::Put16(version.At(cfb::kOffMajorVersion), 4);
    EXPECT_EQ(Try(version), EStorageResult::Corrupt);
}

TEST_F(StorageMalformedTest, RandomDamageNeverCrashes)
{
    // Whatever the result, opening, reading and editing a damaged file must come back.
    std::uint32_t state = 12345;
    auto next = [&state] { state = state * 1103515245u + 12345u; return state >> 8; };
    int opened = 0;
    for (int round = 0; round < 400; ++round) {
        SImage image = m_image;
        const int flips = 1 + int(next() % 8);
        for (int i = 0; i < flips; ++i) {
            // Mostly the header, the tables and the directory, where damage matters.
            const std::size_t limit = next() % 2 ? 512 : image.bytes.size();
            image.bytes[next() % limit] = char(next());
        }
        WriteFileBytes(m_broken, image.bytes);
        if (OpenAndReadEverything(m_broken) == EStorageResult::Ok)
            ++opened;
        std::shared_ptr<CCompoundFile> file;
        if (CCompoundFile::Open(m_broken.c_str(), EStorageAccess::ReadWrite, file) == EStorageResult::Ok) {
            WriteStream(*file, "new", Pattern(5000, 1));
            file->DestroyElement("second");
            file.reset();
            EXPECT_EQ(OpenAndReadEverything(m_broken), EStorageResult::Ok) << "round " << round;
        }
    }
    EXPECT_GT(opened, 0);
}

TEST_F(StorageMalformedTest, Version4FilesAreRead)
{
    // A version-4 file (4096-byte sectors) put together by hand: a FAT sector, a directory
    // sector, a mini FAT sector, the mini stream and a two-sector stream.
    SImage image;
    image.sectorSize = 4096;
    image.bytes.assign(7 * 4096, '\0');
    std::copy(cfb::kSignature.begin(), cfb::kSignature.end(), image.At(0));
    cfb::Put16(image.At(cfb::kOffMinorVersion), 0x3E);
    cfb::Put16(image.At(cfb::kOffMajorVersion), 4);
    cfb::Put16(image.At(cfb::kOffByteOrder), 0xFFFE);
    cfb::Put16(image.At(cfb::kOffSectorShift), 12);
    cfb::Put16(image.At(cfb::kOffMiniSectorShift), 6);
    cfb::Put32(image.At(cfb::kOffDirSectorCount), 1);
    cfb::Put32(image.At(cfb::kOffFatSectorCount), 1);
    cfb::Put32(image.At(cfb::kOffFirstDirSector), 1);
    cfb::Put32(image.At(cfb::kOffMiniCutoff), 4096);
    cfb::Put32(image.At(cfb::kOffFirstMiniFatSector), 2);
    cfb::Put32(image.At(cfb::kOffMiniFatSectorCount), 1);
    cfb::Put32(image.At(cfb::kOffFirstDifatSector), cfb::kEndOfChain);
    for (std::uint32_t i = 0; i < cfb::kHeaderDifatCount; ++i)
        cfb::Put32(image.At(cfb::kOffHeaderDifat + 4 * i), i == 0 ? 0 : cfb::kFreeSect);
    const std::uint32_t fat[] = {cfb::kFatSect, cfb::kEndOfChain, cfb::kEndOfChain, cfb::kEndOfChain, 5, cfb::kEndOfChain};
    for (std::uint32_t i = 0; i < 1024; ++i)
        cfb::Put32(image.At(image.SectorOffset(0) + 4 * i), i < 6 ? fat[i] : cfb::kFreeSect);
    for (std::uint32_t i = 0; i < 1024; ++i)
        cfb::Put32(image.At(image.SectorOffset(2) + 4 * i), i == 0 ? 1 : i == 1 ? cfb::kEndOfChain : cfb::kFreeSect);
    auto entry = [&](std::uint32_t sid, const std::u16string& name, std::uint8_t type, std::uint32_t left,
                     std::uint32_t child, std::uint32_t start, std::uint64_t size) {
        std::uint8_t* e = image.Entry(sid);
        for (std::size_t i = 0; i < name.size(); ++i)
            cfb::Put16(e + 2 * i, name[i]);
        cfb::Put16(e + 64, std::uint16_t(2 * (name.size() + 1)));
        e[66] = type;
        e[67] = cfb::kColorBlack;
        cfb::Put32(e + 68, left);
        cfb::Put32(e + 72, cfb::kNoStream);
        cfb::Put32(e + 76, child);
        cfb::Put32(e + 116, start);
        cfb::Put64(e + 120, size);
    };
    for (std::uint32_t sid = 0; sid < 32; ++sid)
        entry(sid, u"", 0, cfb::kNoStream, cfb::kNoStream, 0, 0);
    entry(0, u"Root Entry", cfb::kTypeRoot, cfb::kNoStream, 1, 3, 128);
    entry(1, u"big", cfb::kTypeStream, 2, cfb::kNoStream, 4, 5000);
    entry(2, u"m", cfb::kTypeStream, cfb::kNoStream, cfb::kNoStream, 0, 100);
    const std::string big = Pattern(5000, 1);
    const std::string small = Pattern(100, 2);
    std::copy(big.begin(), big.end(), image.bytes.begin() + std::ptrdiff_t(image.SectorOffset(4)));
    std::copy(small.begin(), small.end(), image.bytes.begin() + std::ptrdiff_t(image.SectorOffset(3)));

    WriteFileBytes(m_broken, image.bytes);
    std::map<std::string, std::string> read;
    ASSERT_EQ(ReadAll(m_broken, read), EStorageResult::Ok);
    EXPECT_EQ(read, (std::map<std::string, std::string>{{"big", big}, {"m", small}}));

    // Edited in place it stays a version-4 file.
    {
        std::shared_ptr<CCompoundFile> file;
        ASSERT_EQ(CCompoundFile::Open(m_broken.c_str(), EStorageAccess::ReadWrite, file), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "added", Pattern(10000, 3)), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "m", Pattern(200, 4)), EStorageResult::Ok);
    }
    ASSERT_EQ(ReadAll(m_broken, read), EStorageResult::Ok);
    EXPECT_EQ(read, (std::map<std::string, std::string>{{"big", big}, {"m", Pattern(200, 4)}, {"added", Pattern(10000, 3)}}));
    EXPECT_EQ(cfb::Get16(reinterpret_cast<const std::uint8_t*>(ReadFileBytes(m_broken).data()) + cfb::kOffMajorVersion), 4);
}
