#pragma once
// The sample session opened as a project in a fresh home and folder, with the progress windows
// and file dialogs answered, for tests that draw the project window.
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "project/RecDoc.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class SampleProjectFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
    }
    void SetUp() override
    {
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousHandler = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_folder.Path("sample.zca");
            return true;
        });
        ASSERT_TRUE(m_document.OnOpenDocument(CString(std::string(ORN_SOURCE_DIR) + "/resources/samples/sample.zlg")));
    }
    void TearDown() override
    {
        SetFileDialogHandler(m_previousHandler);
        CProgressThread::SetDialogFactory({});
    }

    CTempXdgHome m_home;
    CTempFolder m_folder;
    CMessageBoxRecorder m_boxes;
    FileDialogHandler m_previousHandler;
    CRecDoc m_document;
};
