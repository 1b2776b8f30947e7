#pragma once
// An open project on the project manager page: sessions written by the session writer (Energy
// and Load studies, either byte order), screenshots as the logger writes them and pictures from
// elsewhere, a host window with the page inside, and the recorders that answer its dialogs.
#include "CardGridTestSupport.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/windows/CFileDialog.h"
#include "project/RecDoc.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "support/MessageBoxRecorder.h"
#include "support/ScopedUserLocale.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// A logger screenshot (or, without a serial number, a picture from elsewhere) of that size:
// a dark screen with a light frame and bars, so that scaling shows in a rendered page.
inline std::vector<unsigned char> MakePicture(int width, int height, const std::string& serial)
{
    std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height), 0x202830);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool frame = x < 4 || y < 4 || x >= width - 4 || y >= height - 4;
            const bool bar = y > height / 3 && (x / 24) % 2 == 0 && y > height - (x % 97) * height / 120;
            if (frame || bar)
                pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = frame ? 0xE0E0E0 : 0x30B0F0;
        }
    CBitmap bitmap;
    bitmap.CreateBitmap(width, height, 1, 32, pixels.data());
    CTempFolder scratch;
    const std::string path = scratch.Path("picture.png");
    bitmap.SaveToFile(CString(path));
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (serial.empty())
        return bytes;
    // The logger's description as a text chunk right after the header chunk.
    const std::string text = "Description";
    std::vector<unsigned char> chunk = {'t', 'E', 'X', 't'};
    chunk.insert(chunk.end(), text.begin(), text.end());
    chunk.push_back(0);
    const std::string value = "Device=Zelko4626\nSerial=" + serial + "\nCPU=2.1\nDSP=1.4\nCreationTime=2026-03-02 101500\nUtcOffset=60";
    chunk.insert(chunk.end(), value.begin(), value.end());
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : chunk) {
        crc ^= c;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc ^= 0xFFFFFFFFu;
    std::vector<unsigned char> framed;
    const auto put32 = [&](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8)
            framed.push_back(static_cast<unsigned char>(v >> shift));
    };
    put32(std::uint32_t(chunk.size() - 4));
    framed.insert(framed.end(), chunk.begin(), chunk.end());
    put32(crc);
    bytes.insert(bytes.begin() + 33, framed.begin(), framed.end());
    return bytes;
}

class ProjectManagerPageTest : public CardGridTest
{
protected:
    static constexpr int kPageWidth = 1100;
    static constexpr int kPageHeight = 800;

    ProjectManagerPageTest()
    {
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousFileDialog = CFileDialog::SetDriver([this](CFileDialog& dialog) {
            fileRequests.push_back(dialog.GetQtFilter());
            proposedNames.push_back(dialog.GetPathName());
            if (nextPaths.empty())
                return INT_PTR(IDCANCEL);
            dialog.SetPathNames(nextPaths);
            nextPaths.clear();
            return INT_PTR(IDOK);
        });
        m_previousService = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_projectPathForZlg;
            return true;
        });
    }
    ~ProjectManagerPageTest() override
    {
        CloseProject();
        SetFileDialogHandler(std::move(m_previousService));
        CFileDialog::SetDriver(std::move(m_previousFileDialog));
        CProgressThread::SetDialogFactory({});
    }

    // A project archive holding one session of that kind; its path.
    CString MakeArchive(const std::string& name, SSessionSpec spec)
    {
        const std::string zlg = folder.Path(name + ".zlg");
        EXPECT_TRUE(WriteBytesToFile(zlg, CSessionWriter(spec).BuildFile()));
        const CString archive = folder.Path(name + ".zca");
        SZlgSessionInfo info;
        EXPECT_EQ(CRecDoc::ReadZlgSessionInfo(zlg, info), 0);
        EXPECT_EQ(CRecDoc::BuildArchiveFromZlg(archive, zlg, info), 0);
        return archive;
    }
    CString WritePicture(const std::string& name, int width, int height, const std::string& serial)
    {
        WriteFileBytes(folder.Root() / name, MakePicture(width, height, serial));
        return CString(folder.Path(name));
    }

    static SSessionSpec Spec(const char16_t* name, WORD studyType, bool bigEndian, int records)
    {
        SSessionSpec spec;
        spec.name = name;
        spec.studyType = studyType;
        spec.bigEndian = bigEndian;
        spec.trendRecords = records;
        return spec;
    }

    // Opens the project and shows the page for it.
    void OpenProject(const CString& path)
    {
        document = std::make_unique<CRecDoc>();
        ASSERT_TRUE(document->OnOpenDocument(path));
        projectPath = path;
        ShowPage();
    }
    void ShowPage()
    {
        host = std::make_unique<CRecordingPage>();
        ASSERT_TRUE(host->CreatePage(kPageWidth, kPageHeight));
        view = std::make_unique<CProjectManagerTableView>();
        view->m_bAutoDelete = false;
        ASSERT_TRUE(view->CreateView(host.get(), 1, document.get()));
        view->SendMessage(WM_INITIALUPDATE);
        CFrameworkApp::PumpWaitingMessages();
    }
    // Closes the page (it keeps its settings in the project) and then the project.
    void CloseProject()
    {
        if (view && view->GetSafeHwnd())
            view->DestroyWindow();
        view.reset();
        host.reset();
        if (document)
            document->OnCloseDocument();
        document.reset();
    }
    void Reopen()
    {
        document->SaveProject();
        CloseProject();
        OpenProject(projectPath);
    }
    // Sends a command as the cards do and lets everything it posted run.
    void Command(int command, int argument)
    {
        view->SendMessage(WM_PM_COMMAND, WPARAM(command), LPARAM(argument));
        CFrameworkApp::PumpWaitingMessages();
    }
    std::vector<CString> BoxTexts() const
    {
        std::vector<CString> texts;
        for (const auto& box : boxes.Boxes())
            texts.push_back(box.text);
        return texts;
    }

    CTempXdgHome home;
    CTempFolder folder;
    CScopedUserLocale locale{CUserLocale::EnUs()};
    CMessageBoxRecorder boxes{IDYES};
    std::unique_ptr<CRecDoc> document;
    std::unique_ptr<CRecordingPage> host;
    std::unique_ptr<CProjectManagerTableView> view;
    CString projectPath;
    // What the next file dialog answers (none: cancel), and the filters of those shown.
    std::vector<CString> nextPaths;
    std::vector<CString> fileRequests;
    std::vector<CString> proposedNames;

private:
    CString m_projectPathForZlg;
    CFileDialog::Driver m_previousFileDialog;
    FileDialogHandler m_previousService;
};
