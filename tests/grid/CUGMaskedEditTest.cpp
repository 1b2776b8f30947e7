// The masked editor: templates, what each mask character admits, reformatting, and typing with
// the literals inserted by the editor.
#include "GridTestSupport.h"
#include "grid/CUGMaskedEdit.h"

namespace
{
constexpr char P = CUGMaskedEdit::kPlaceholder;

class MaskTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        grid.SetNumberCols(2);
        grid.SetNumberRows(2);
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 1));
    }

    // Opens the masked editor on cell (0, 0) with a mask and a starting text.
    void Open(const char* mask, const char* text = "")
    {
        CUGCell cell;
        grid.GetCell(0, 0, &cell);
        cell.SetMask(mask);
        cell.SetText(text);
        grid.SetCell(0, 0, &cell);
        ASSERT_EQ(grid.StartEditAt(0, 0), 0);
        edit = grid.m_CUGMaskedEdit.get();
        edit->SetSel(edit->GetWindowTextLength(), edit->GetWindowTextLength());
    }
    void Type(const char* text)
    {
        for (const char* p = text; *p; ++p)
            edit->SendMessage(WM_CHAR, WPARAM(static_cast<unsigned char>(*p)));
    }
    CString Text() const
    {
        CString text;
        edit->GetWindowText(text);
        return text;
    }

    RecordingGrid grid;
    CUGMaskedEdit* edit = nullptr;
};
} // namespace

TEST(CUGMaskedEditTemplates, LiteralsAndEscapesTakeOnePositionEach)
{
    CString mask, literal;
    CUGMaskedEdit::BuildTemplates("(999) 000-0000", &mask, &literal);
    EXPECT_EQ(mask, CString(std::string{P, '9', '9', '9', P, P, '0', '0', '0', P, '0', '0', '0', '0'}));
    EXPECT_EQ(literal, CString(std::string{'(', P, P, P, ')', ' ', P, P, P, '-', P, P, P, P}));
    CUGMaskedEdit::BuildTemplates("\\A00", &mask, &literal);
    EXPECT_EQ(mask, CString(std::string{P, '0', '0'}));
    EXPECT_EQ(literal, CString(std::string{'A', P, P}));
}

TEST(CUGMaskedEditTemplates, EachMaskCharacterAdmitsItsClass)
{
    struct Case
    {
        char mask;
        const char* admitted;
        const char* refused;
    };
    const Case cases[] = {{'0', "05", " a+"}, {'9', "5 ", "a-"},     {'#', "5 +-", "a*"},   {'L', "aZ", "5 "},
                          {'?', "a ", "5-"},  {'A', "a5", " -"},     {'a', "a5 ", "-*"},    {'&', "a5 -*", "\x01"},
                          {'C', "a *", "\x1f"}, {'x', "anything", ""}};
    for (const Case& c : cases)
    {
        for (const char* p = c.admitted; *p; ++p)
            EXPECT_TRUE(CUGMaskedEdit::Admits(c.mask, UINT(*p))) << c.mask << " " << *p;
        for (const char* p = c.refused; *p; ++p)
            EXPECT_FALSE(CUGMaskedEdit::Admits(c.mask, UINT(*p))) << c.mask << " " << int(*p);
    }
}

TEST(CUGMaskedEditTemplates, ReformatWritesLiteralsAndSkipsUnfittingCharacters)
{
    CString mask, literal;
    CUGMaskedEdit::BuildTemplates("(999) 000-0000", &mask, &literal);
    EXPECT_EQ(CUGMaskedEdit::Reformat("5551234567", mask, literal), "(555) 123-4567");
    EXPECT_EQ(CUGMaskedEdit::Reformat("(555) 123-4567", mask, literal), "(555) 123-4567");
    EXPECT_EQ(CUGMaskedEdit::Reformat("55x5", mask, literal), "(555");
    EXPECT_EQ(CUGMaskedEdit::Reformat("", mask, literal), "");
}

TEST_F(MaskTest, TheTelephoneMaskTypesItsOwnLiterals)
{
    Open("(999) 000-0000");
    Type("555");
    EXPECT_EQ(Text(), "(555");
    // The closing parenthesis and the space come before the next digit.
    Type("1");
    EXPECT_EQ(Text(), "(555) 1");
    Type("234567");
    EXPECT_EQ(Text(), "(555) 123-4567");
    Type("9"); // past the end of the mask
    EXPECT_EQ(Text(), "(555) 123-4567");
    EXPECT_EQ(edit->GetLimitText(), 14u);
}

TEST_F(MaskTest, LettersAreRefusedEverywhereAndSpacesOnlyWhereTheMaskHasNine)
{
    Open("(999) 000-0000");
    Type("a");
    EXPECT_EQ(Text(), "");
    Type(" 5a5");
    EXPECT_EQ(Text(), "( 55");
    Type(" ");
    EXPECT_EQ(Text(), "( 55");
    Type("1x 2");
    EXPECT_EQ(Text(), "( 55) 12");
}

TEST_F(MaskTest, ARefusedCharacterLeavesTheSelectedTextAlone)
{
    Open("(999) 000-0000", "5551234567");
    EXPECT_EQ(Text(), "(555) 123-4567"); // reformatted when the mask was set
    edit->SetSel(0, -1);
    Type("x");
    EXPECT_EQ(Text(), "(555) 123-4567");
    Type("8");
    EXPECT_EQ(Text(), "(8");
}

TEST_F(MaskTest, AnEscapedLetterIsALiteralAndTheLimitCountsPositions)
{
    Open("\\A00");
    EXPECT_EQ(edit->GetLimitText(), 3u);
    Type("4");
    EXPECT_EQ(Text(), "A4");
    Type("x2");
    EXPECT_EQ(Text(), "A42");
    Type("7");
    EXPECT_EQ(Text(), "A42");
}

TEST_F(MaskTest, LosingTheFocusRemovesTheLimit)
{
    Open("000");
    Type("12");
    edit->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(grid.m_editInProgress);
    EXPECT_GT(edit->GetLimitText(), 3u); // no limit any more
}
