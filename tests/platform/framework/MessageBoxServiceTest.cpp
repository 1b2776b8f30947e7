#include "platform/framework/MessageBoxService.h"
#include "platform/framework/StringTable.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

TEST(AfxMessageBox, WithoutAWindowLayerLogsAndAnswersOk)
{
    EXPECT_EQ(AfxMessageBox("Nobody sees this", MB_YESNO | MB_ICONQUESTION), IDOK);
}

TEST(AfxMessageBox, HandlerReceivesTextAndFlags)
{
    CStringTable::Instance().Set(61001, "##+Delete the session?");
    {
        CMessageBoxRecorder recorder(IDNO);
        EXPECT_EQ(AfxMessageBox(61001u, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDNO);
        EXPECT_EQ(AfxMessageBox("plain", MB_ICONEXCLAMATION), IDNO);
        EXPECT_EQ(AfxMessageBox(61999u), IDNO);
        ASSERT_EQ(recorder.Boxes().size(), 3u);
        EXPECT_EQ(recorder.Boxes()[0].text, "Delete the session?");
        EXPECT_EQ(recorder.Boxes()[0].type & MB_TYPEMASK, MB_YESNO);
        EXPECT_EQ(recorder.Boxes()[0].type & MB_ICONMASK, MB_ICONQUESTION);
        EXPECT_EQ(recorder.Boxes()[0].type & MB_DEFMASK, MB_DEFBUTTON2);
        EXPECT_EQ(recorder.Boxes()[1].text, "plain");
        EXPECT_EQ(recorder.Boxes()[2].text, "");
        {
            CMessageBoxRecorder inner(IDCANCEL);
            EXPECT_EQ(AfxMessageBox("inner"), IDCANCEL);
        }
        EXPECT_EQ(AfxMessageBox("back to the outer one"), IDNO);
        EXPECT_EQ(recorder.Boxes().size(), 4u);
    }
    EXPECT_EQ(AfxMessageBox("default again", MB_YESNO), IDOK);
}
