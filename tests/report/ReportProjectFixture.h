#pragma once
// An open project built from written logger sessions, with saved screens and bookmarks as the
// report tests and the benchmark need them.
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/StringTable.h"
#include "project/BasicViewSettings.h"
#include "project/Bookmark.h"
#include "project/ProjectManagerSettings.h"
#include "project/RecDoc.h"
#include "support/MessageBoxRecorder.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"

#include <lodepng.h>

#include <memory>
#include <stdexcept>
#include <string>

// The fixture serves tests and the benchmark alike: a step that fails throws.
inline void RequireReportStep(bool done, const std::string& what)
{
    if (!done)
        throw std::runtime_error("Report project: " + what);
}

class CReportProject
{
public:
    explicit CReportProject(const std::vector<SSessionSpec>& sessions = {SSessionSpec{}})
    {
        CStringTable::Instance().LoadLanguage("ENG");
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_nextProject;
            return true;
        });
        for (std::size_t i = 0; i < sessions.size(); ++i)
            MakeProject(sessions[i], i);
        document = std::make_unique<CRecDoc>();
        RequireReportStep(document->OnOpenDocument(Path("project0.zca")), "open");
        for (std::size_t i = 1; i < sessions.size(); ++i)
            RequireReportStep(document->ImportSession(Path("project" + std::to_string(i) + ".zca"), 0) == 0, "import session");
    }
    ~CReportProject()
    {
        document.reset();
        SetFileDialogHandler(std::move(m_previousDialog));
        CProgressThread::SetDialogFactory({});
    }
    CReportProject(const CReportProject&) = delete;
    CReportProject& operator=(const CReportProject&) = delete;

    CString Path(const std::string& name) const { return CString(m_folder.Path(name)); }
    CProjectSettings& Project() const { return *document->GetProjectSettings(); }

    // A PNG picture of the size with a colour ramp, and the logger's description when a serial
    // number is given.
    CString WritePicture(const std::string& name, unsigned width, unsigned height, const std::string& serial) const
    {
        std::vector<unsigned char> rgba(std::size_t(width) * height * 4);
        for (unsigned y = 0; y < height; ++y)
            for (unsigned x = 0; x < width; ++x)
            {
                unsigned char* p = &rgba[(std::size_t(y) * width + x) * 4];
                p[0] = static_cast<unsigned char>(x * 255 / width);
                p[1] = static_cast<unsigned char>(y * 255 / height);
                p[2] = 160;
                p[3] = 255;
            }
        lodepng::State state;
        state.encoder.text_compression = 0;
        if (!serial.empty())
            lodepng_add_text(&state.info_png, "Description",
                             ("Device=Zelko4626\nSerial=" + serial + "\nCPU=2.1\nDSP=1.4\nCreationTime=2026-03-02 101500\nUtcOffset=60").c_str());
        std::vector<unsigned char> png;
        RequireReportStep(lodepng::encode(png, rgba, width, height, state) == 0, "encode picture");
        WriteFileBytes(m_folder.Path(name), png);
        return Path(name);
    }

    // A bookmark of the type whose own view settings are `settings` (none: null), with a
    // picture of that size.
    int AddBookmark(int type, const CString& name, const CBasicViewSettings* settings, unsigned width = 320,
                    unsigned height = 200)
    {
        RequireReportStep(document->AddBookmark(type, name, WritePicture("bookmark.png", width, height, "")) == 0,
                          "bookmark");
        CBookmark& bookmark = Project().GetBookmark(Project().GetBookmarkCount() - 1);
        if (settings)
        {
            CProjectSettings source;
            source.SetStudyViewSettings(bookmark.GetStudyView(), settings);
            bookmark.SetViewSettingsFrom(source);
        }
        return Project().GetBookmarkCount() - 1;
    }

    CProjectManagerSettings& ProjectManager()
    {
        if (!dynamic_cast<CProjectManagerSettings*>(Project().GetViewSettings(CViewSettings::kProjectManagerViewId)))
        {
            CProjectManagerSettings settings;
            Project().SetViewSettings(CViewSettings::kProjectManagerViewId, &settings);
        }
        return *dynamic_cast<CProjectManagerSettings*>(Project().GetViewSettings(CViewSettings::kProjectManagerViewId));
    }

    std::unique_ptr<CRecDoc> document;
    CMessageBoxRecorder boxes;

private:
    void MakeProject(const SSessionSpec& recording, std::size_t index)
    {
        std::string zlg = m_folder.Path("session" + std::to_string(index) + ".zlg");
        RequireReportStep(WriteBytesToFile(zlg, CSessionWriter(recording).BuildFile()), "write session");
        m_nextProject = Path("project" + std::to_string(index) + ".zca");
        CRecDoc maker;
        RequireReportStep(maker.OnOpenDocument(CString(zlg)),
                          "project from session " + std::to_string(index) +
                              (boxes.Boxes().empty() ? std::string() : ": " + boxes.Boxes().back().text.str()));
    }

    CTempXdgHome m_home;
    CTempFolder m_folder;
    CString m_nextProject;
    FileDialogHandler m_previousDialog;
};
