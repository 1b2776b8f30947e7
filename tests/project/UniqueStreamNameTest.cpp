#include "project/UniqueStreamName.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Free unless taken; names compared as given.
auto FreeUnless(std::set<std::u16string> taken)
{
    return [taken](const std::u16string& name) { return taken.count(name) == 0; };
}

std::size_t Units(const CString& name)
{
    return name.ToUtf16().size();
}

} // namespace

TEST(UniqueStreamName, KeepsAFreeNameThatFits)
{
    const CString name31 = "abcdefghijklmnopqrstuvwxyz1.zlg";
    ASSERT_EQ(name31.GetLength(), 31);
    EXPECT_EQ(MakeUniqueStreamName(name31, FreeUnless({})), name31);
    EXPECT_EQ(MakeUniqueStreamName("/home/u/Download/123/sessions/s.zlg", FreeUnless({})), "s.zlg");
    // Thirty-one UTF-16 units, more bytes.
    const CString accented = "\xC3\xA9" "bcdefghijklmnopqrstuvwxyz1.zlg";
    EXPECT_EQ(MakeUniqueStreamName(accented, FreeUnless({})), accented);
}

TEST(UniqueStreamName, ShortensLongNamesAndCountsInHexadecimal)
{
    const CString name = "measurement_of_the_main_feeder.zlg";
    EXPECT_EQ(MakeUniqueStreamName(name, FreeUnless({})), "measurement_of_the_main0000.zlg");
    EXPECT_EQ(MakeUniqueStreamName(name, FreeUnless({u"measurement_of_the_main0000.zlg"})),
              "measurement_of_the_main0001.zlg");
    EXPECT_EQ(MakeUniqueStreamName("abcdefghijklmnopqrstuvwxyz12.zlg", FreeUnless({})), "abcdefghijklmnopqrstuvw0000.zlg");
    // No extension: the stem keeps 27 units.
    EXPECT_EQ(MakeUniqueStreamName("abcdefghijklmnopqrstuvwxyz0123456789", FreeUnless({})),
              "abcdefghijklmnopqrstuvwxyz00000");
    // An extension beyond 14 units is cut to 14, the stem to 13.
    EXPECT_EQ(MakeUniqueStreamName("stem_is_long_enough.extension_too_long", FreeUnless({})),
              "stem_is_long_0000.extension_too");
    EXPECT_EQ(MakeUniqueStreamName("bookmark.png", FreeUnless({u"bookmark.png"})), "bookmark0000.png");
    EXPECT_EQ(MakeUniqueStreamName("bookmark.png", FreeUnless({u"bookmark.png", u"bookmark0000.png"})),
              "bookmark0001.png");
    for (const CString& result : {MakeUniqueStreamName(name, FreeUnless({})),
                                  MakeUniqueStreamName("x.abcdefghijklmnopqrstuvwxyz", FreeUnless({}))})
        EXPECT_LE(Units(result), 31u) << result;
}

TEST(UniqueStreamName, NeverSplitsACharacter)
{
    // 26 ASCII characters, then a character outside the basic plane (two units) across the cut.
    const CString name = CString("abcdefghijklmnopqrstuvwxyz") + "\xF0\x9F\x98\x80" "\xF0\x9F\x98\x80" ".zlg";
    const CString result = MakeUniqueStreamName(name, FreeUnless({}));
    EXPECT_EQ(result, "abcdefghijklmnopqrstuvw0000.zlg");
    const CString emoji = CString("abcdefghijklmnopqrstu") + "\xF0\x9F\x98\x80" "\xF0\x9F\x98\x80" "xyz.zlg";
    EXPECT_EQ(MakeUniqueStreamName(emoji, FreeUnless({})), CString("abcdefghijklmnopqrstu") + "\xF0\x9F\x98\x80" "0000.zlg");
}

TEST(UniqueStreamName, CleansReservedCharactersAndFailsWhenNothingIsFree)
{
    EXPECT_EQ(MakeUniqueStreamName("a:b!c\\d.zlg", FreeUnless({})), "a_b_c_d.zlg");
    EXPECT_EQ(MakeUniqueStreamName("folder/", FreeUnless({})), "0000");
    std::size_t asked = 0;
    const CString none = MakeUniqueStreamName("x.zlg", [&asked](const std::u16string&) {
        ++asked;
        return false;
    });
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_EQ(asked, 1u + 0x10000u);
}

TEST(ArchivePaths, FileNameAndExtension)
{
    EXPECT_EQ(GetFileNameOnly("/a/b/c.zca"), "c.zca");
    EXPECT_EQ(GetFileNameOnly("c.zca"), "c.zca");
    CString path = "/a.b/c.zca";
    RemoveFileExtension(path);
    EXPECT_EQ(path, "/a.b/c");
    path = "/a.b/c";
    RemoveFileExtension(path);
    EXPECT_EQ(path, "/a.b/c");
}
