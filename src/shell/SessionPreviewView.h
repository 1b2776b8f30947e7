#pragma once
// The content of the project window while the stand-in document is registered: the session's
// name, description, period and file.
#include "platform/framework/windows/CWnd.h"

class CSessionPreviewDocument;

class CSessionPreviewView : public CWnd
{
public:
    explicit CSessionPreviewView(const CSessionPreviewDocument& document) : m_document(document) {}

    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    const CSessionPreviewDocument& m_document;
};
