#pragma once
// The content of the project window until the main view exists: the name, the description and
// the recorded period (first to last record) of the project's first session, and the path of the
// project file.
#include "platform/framework/windows/CWnd.h"
#include "project/IProjectDocument.h"

#include <functional>

class CDataSet;

class CSessionPreviewView : public CWnd
{
public:
    // `session` answers the session to show, null while there is none.
    CSessionPreviewView(const IProjectDocument& document, std::function<CDataSet*()> session)
        : m_document(document), m_session(std::move(session))
    {
    }

    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    const IProjectDocument& m_document;
    std::function<CDataSet*()> m_session;
};
