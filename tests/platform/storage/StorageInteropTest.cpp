// Files written here are read by two readers nobody here wrote (Python's olefile and libgsf's
// gsf tool), and files they write are read here.
#include <gtest/gtest.h>

#include <array>
#include <sstream>

#include "platform/storage/CompoundFile.h"
#include "platform/storage/StorageStream.h"
#include "platform/storage/StorageTestSupport.h"

using namespace storage_test;

namespace {

constexpr const char* kOlefileScript = R"(
import sys, zlib, olefile
ole = olefile.OleFileIO(sys.argv[1], raise_defects=olefile.DEFECT_INCORRECT)
out = sys.stdout.buffer
for issue in ole.parsing_issues:
    out.write(("ISSUE %r\n" % (issue,)).encode())
for entry in ole.listdir(streams=True, storages=False):
    data = ole.openstream(entry).read()
    out.write(("%s\t%d\t%08x\n" % ("/".join(entry), ole.get_size(entry), zlib.crc32(data) & 0xffffffff)).encode("utf-8"))
)";

// Overwrites a stream of the same size, the one kind of write olefile offers.
constexpr const char* kOlefileWriteScript = R"(
import sys, olefile
ole = olefile.OleFileIO(sys.argv[1], write_mode=True)
size = ole.get_size(sys.argv[2])
ole.write_stream(sys.argv[2], bytes((i * 7) & 0xff for i in range(size)))
ole.close()
)";

std::uint32_t Crc32(const std::string& data)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : data)
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class StorageInteropTest : public ::testing::Test
{
protected:
    // name -> "size\tcrc" as olefile reports every stream (storages' streams as "storage/name").
    std::map<std::string, std::string> ReadWithOlefile(const std::string& path)
    {
        const std::string script = m_dir.Path("read.py");
        WriteFileBytes(script, kOlefileScript);
        int status = 0;
        const std::string output = RunCommand("/usr/bin/python3 " + Quote(script) + " " + Quote(path), status);
        EXPECT_EQ(status, 0) << "olefile failed (is python3-olefile installed? scripts/install-deps.sh)";
        std::map<std::string, std::string> result;
        std::istringstream lines(output);
        std::string line;
        while (std::getline(lines, line)) {
            EXPECT_NE(line.rfind("ISSUE", 0), 0u) << line;
            const auto tab = line.find('\t');
            if (tab != std::string::npos)
                result[line.substr(0, tab)] = line.substr(tab + 1);
        }
        return result;
    }

    static std::string Describe(const std::string& data)
    {
        char crc[16];
        std::snprintf(crc, sizeof crc, "%08x", Crc32(data));
        return std::to_string(data.size()) + "\t" + crc;
    }

    void ExpectGsfReads(const std::string& path, const std::map<std::string, std::string>& streams)
    {
        int status = 0;
        const std::string listing = RunCommand("gsf list " + Quote(path), status);
        ASSERT_EQ(status, 0) << "gsf failed (is libgsf-bin installed? scripts/install-deps.sh)";
        for (const auto& [name, data] : streams) {
            EXPECT_NE(listing.find(" " + std::to_string(data.size()) + " " + name + "\n"), std::string::npos) << name << "\n" << listing;
            const std::string read = RunCommand("gsf cat " + Quote(path) + " " + Quote(name), status);
            EXPECT_EQ(status, 0) << name;
            EXPECT_TRUE(read == data) << name << " differs as gsf reads it";
        }
    }

    void ExpectOlefileReads(const std::string& path, const std::map<std::string, std::string>& streams)
    {
        std::map<std::string, std::string> expected;
        for (const auto& [name, data] : streams)
            expected[name] = Describe(data);
        EXPECT_EQ(ReadWithOlefile(path), expected);
    }

    CScratchDir m_dir;
};

} // namespace

TEST_F(StorageInteropTest, FilesWrittenHereReadTheSameElsewhere)
{
    const std::string path = m_dir.Path("ours.zca");
    std::map<std::string, std::string> streams{
        {"project.xml", Pattern(2500, 1)},
        {"empty", ""},
        {"measurement_of_the_main0000.zlg", Pattern(300000, 2)},
        {"bookmark.png", Pattern(4096, 3)},
        {"bookmark0000.png", Pattern(4095, 4)},
        {"\xC3\x89nergie \xD0\x96", Pattern(64, 5)},
        {"big.zlg", Pattern(8 * 1024 * 1024, 6)}, // beyond the header's DIFAT
    };
    {
        std::shared_ptr<CCompoundFile> file;
        ASSERT_EQ(CCompoundFile::Create(path.c_str(), file), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "doomed", Pattern(50000, 9)), EStorageResult::Ok);
        for (const auto& [name, data] : streams)
            ASSERT_EQ(WriteStream(*file, name, data, 65536), EStorageResult::Ok);
        ASSERT_EQ(file->DestroyElement("doomed"), EStorageResult::Ok);
        // An import that never reached the project, its tables moved below the data after it.
        ASSERT_EQ(WriteStream(*file, "import.zlg", Pattern(9 * 1024 * 1024, 7), 1 << 20), EStorageResult::Ok);
        ASSERT_EQ(file->DestroyElement("import.zlg"), EStorageResult::Ok);
        // Rewritten a few times, as every edit of a project does.
        for (int i = 0; i < 5; ++i)
            ASSERT_EQ(WriteStream(*file, "project.xml", Pattern(2500 + 3000 * i, 10 + i)), EStorageResult::Ok);
        streams["project.xml"] = Pattern(14500, 14);
        ASSERT_EQ(file->Flush(), EStorageResult::Ok);
    }
    EXPECT_LT(ReadFileBytes(path).size(), std::size_t(9 * 1024 * 1024));
    ExpectOlefileReads(path, streams);
    ExpectGsfReads(path, streams);

    // olefile overwrites a stream in place; we read its bytes.
    WriteFileBytes(m_dir.Path("write.py"), kOlefileWriteScript);
    int status = 0;
    RunCommand("/usr/bin/python3 " + Quote(m_dir.Path("write.py")) + " " + Quote(path) + " project.xml", status);
    ASSERT_EQ(status, 0);
    std::string expected(14500, '\0');
    for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = char((i * 7) & 0xFF);
    std::map<std::string, std::string> read;
    ASSERT_EQ(ReadAll(path, read), EStorageResult::Ok);
    EXPECT_TRUE(read["project.xml"] == expected);
}

TEST_F(StorageInteropTest, FilesWrittenByGsfAreReadAndEdited)
{
    const std::map<std::string, std::string> files{
        {"empty.bin", ""}, {"tiny.txt", "hello"}, {"small.xml", Pattern(3000, 1)},
        {"edge.bin", Pattern(4096, 2)}, {"large.zlg", Pattern(700000, 3)},
    };
    std::string arguments;
    for (const auto& [name, data] : files) {
        WriteFileBytes(m_dir.Path(name), data);
        arguments += " " + Quote(name);
    }
    std::filesystem::create_directories(m_dir.Path("folder"));
    WriteFileBytes(m_dir.Path("folder/inner.bin"), Pattern(5000, 4));
    const std::string path = m_dir.Path("gsf.ole");
    int status = 0;
    RunCommand("cd " + Quote(m_dir.Path("")) + " && gsf createole gsf.ole" + arguments + " folder 2>/dev/null", status);
    ASSERT_EQ(status, 0) << "gsf failed (is libgsf-bin installed? scripts/install-deps.sh)";

    std::map<std::string, std::string> read;
    ASSERT_EQ(ReadAll(path, read), EStorageResult::Ok);
    EXPECT_EQ(read, files);
    {
        std::shared_ptr<CCompoundFile> file;
        ASSERT_EQ(CCompoundFile::Open(path.c_str(), EStorageAccess::ReadWrite, file), EStorageResult::Ok);
        const auto elements = file->EnumElements();
        ASSERT_EQ(elements.size(), files.size() + 1);
        const auto folder = std::find_if(elements.begin(), elements.end(), [](const SStorageElement& e) { return e.name == "folder"; });
        ASSERT_NE(folder, elements.end());
        EXPECT_EQ(folder->type, EStorageElementType::Storage);
        // Edit it: a storage and a stream go, others are added and replaced.
        ASSERT_EQ(file->DestroyElement("folder"), EStorageResult::Ok);
        ASSERT_EQ(file->DestroyElement("tiny.txt"), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "small.xml", Pattern(9000, 5)), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "added", Pattern(100, 6)), EStorageResult::Ok);
    }
    std::map<std::string, std::string> expected = files;
    expected.erase("tiny.txt");
    expected["small.xml"] = Pattern(9000, 5);
    expected["added"] = Pattern(100, 6);
    ASSERT_EQ(ReadAll(path, read), EStorageResult::Ok);
    EXPECT_EQ(read, expected);
    ExpectOlefileReads(path, expected);
    ExpectGsfReads(path, expected);
}
