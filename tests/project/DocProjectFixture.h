#pragma once
// An open project made from a written logger session, for tests of what works on a document.
#include "PngBuilder.h"
#include "support/TempFolder.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/StringTable.h"
#include "project/RecDoc.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "support/MessageBoxRecorder.h"
#include "support/SessionWriter.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

class DocProjectFixture
{
public:
    DocProjectFixture()
    {
        CStringTable::Instance().LoadLanguage("ENG");
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_projectPath;
            return true;
        });
        const std::string session = m_folder.Root() / "session.zlg";
        EXPECT_TRUE(WriteBytesToFile(session, CSessionWriter().BuildFile()));
        m_projectPath = (m_folder.Root() / "project.zca").string();
        CRecDoc maker;
        EXPECT_TRUE(maker.OnOpenDocument(session));
    }
    ~DocProjectFixture()
    {
        SetFileDialogHandler(std::move(m_previousDialog));
        CProgressThread::SetDialogFactory({});
    }
    DocProjectFixture(const DocProjectFixture&) = delete;
    DocProjectFixture& operator=(const DocProjectFixture&) = delete;

    const CString& ProjectPath() const { return m_projectPath; }

    // A 1x1 screenshot file as the logger writes them.
    CString WritePicture(const std::string& name)
    {
        CPngBuilder png;
        png.AddText("Description", "Device=D\nSerial=S1\nCPU=1\nDSP=2\nCreationTime=2020-01-02 030405\nUtcOffset=60")
            .Finish();
        WriteFileBytes(m_folder.Root() / name, png.Bytes());
        return CString((m_folder.Root() / name).string());
    }

private:
    CTempXdgHome m_home;
    CTempFolder m_folder;
    CMessageBoxRecorder m_boxes;
    CString m_projectPath;
    FileDialogHandler m_previousDialog;
};
