#pragma once
// What a frame needs to make its views: the run-time class of the view and the document the
// view shows. Handed through Create as the creation parameter.
#include "platform/framework/CObject.h"

class CDocument;
class CFrameWnd;
class CView;

struct CCreateContext
{
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
