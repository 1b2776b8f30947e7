#include "datamodel/DataSet.h"
#include "datamodel/PlainFileStream.h"
#include "support/SessionWriter.h"
#include "SessionFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(PlainFileStream, ReadsAcrossItsBlocksAndSeeks)
{
    CTempFolder folder;
    std::vector<BYTE> bytes(700000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = BYTE(i * 7 + i / 256);
    const std::string path = folder.Path("blocks.bin");
    ASSERT_TRUE(WriteBytesToFile(path, bytes));

    std::unique_ptr<CPlainFileStream> stream;
    ASSERT_EQ(0, CPlainFileStream::Open(path, stream));
    EXPECT_EQ(bytes.size(), stream->GetLength());
    std::vector<BYTE> read(bytes.size() + 10);
    EXPECT_EQ(100, stream->Read(read.data(), 100));
    EXPECT_EQ(std::int64_t(bytes.size() - 100), stream->Read(read.data() + 100, bytes.size()));
    read.resize(bytes.size());
    EXPECT_EQ(bytes, read);
    EXPECT_EQ(0, stream->Read(read.data(), 1));

    ASSERT_TRUE(stream->Seek(262140));
    BYTE across[8];
    EXPECT_EQ(8, stream->Read(across, 8));
    EXPECT_TRUE(std::equal(across, across + 8, bytes.begin() + 262140));
}

TEST(PlainFileStream, WriteGoesToTheFileAndTheNextRead)
{
    CTempFolder folder;
    const std::string path = folder.Path("w.bin");
    ASSERT_TRUE(WriteBytesToFile(path, std::vector<BYTE>(64, 1)));
    std::unique_ptr<CPlainFileStream> stream;
    ASSERT_EQ(0, CPlainFileStream::Open(path, stream));
    BYTE first[4];
    stream->Read(first, 4);
    stream->Seek(0);
    const BYTE patch[4] = {9, 9, 9, 9};
    ASSERT_TRUE(WriteInChunks(*stream, patch, 4));
    stream->Seek(0);
    stream->Read(first, 4);
    EXPECT_EQ(9, first[3]);
    EXPECT_FALSE(WriteInChunks(*stream, nullptr, 4));
    EXPECT_TRUE(WriteInChunks(*stream, nullptr, 0));
}

} // namespace
