#include "platform/framework/StringTable.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"

#include <gtest/gtest.h>

namespace {

class ProgressThread : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CStringTable::Instance().Set(9001, "Loading %s");
        m_record = std::make_shared<SProgressRecord>();
        CProgressThread::SetDialogFactory([record = m_record] {
            return std::make_unique<CRecordingProgressDialog>(record);
        });
    }
    void TearDown() override { CProgressThread::SetDialogFactory({}); }

    std::shared_ptr<SProgressRecord> m_record;
};

TEST_F(ProgressThread, WithoutADialogNothingIsCanceled)
{
    CProgressThread progress;
    EXPECT_FALSE(progress.IsCanceled());
    progress.SetPercent(50);
    progress.Finish();
    EXPECT_EQ(0, m_record->showCount);
    EXPECT_EQ(0, m_record->closeCount);
}

TEST_F(ProgressThread, CaptionPercentCancelAndFinish)
{
    CProgressThread progress;
    progress.StartDialog(9001, "Feeder");
    EXPECT_EQ(CString("Loading Feeder"), m_record->caption);
    progress.SetPercent(0);
    progress.SetPercent(40);
    progress.SetPercent(100);
    EXPECT_EQ((std::vector<int>{0, 40, 100}), m_record->positions);

    EXPECT_FALSE(progress.IsCanceled());
    m_record->cancelAfterPositions = 3;
    EXPECT_TRUE(progress.IsCanceled());

    progress.Finish();
    progress.Finish();
    EXPECT_EQ(1, m_record->closeCount);
    EXPECT_FALSE(progress.IsCanceled());
}

TEST_F(ProgressThread, SubRangeMapsThePercentage)
{
    CProgressThread progress;
    progress.SetRange(50, 100);
    progress.StartDialog(9001, "x");
    progress.SetPercent(0);
    progress.SetPercent(50);
    progress.SetPercent(100);
    progress.SetRange(80, 20);  // hi below lo: the percentage itself
    progress.SetPercent(30);
    EXPECT_EQ((std::vector<int>{50, 75, 100, 30}), m_record->positions);
}

TEST_F(ProgressThread, DestructionClosesTheDialog)
{
    {
        CProgressThread progress;
        progress.StartDialog(9001, "x");
    }
    EXPECT_EQ(1, m_record->closeCount);
}

} // namespace
