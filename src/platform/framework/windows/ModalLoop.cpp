#include "platform/framework/windows/ModalLoop.h"

#include "platform/framework/windows/CWnd.h"

#include <glog/logging.h>

#include <algorithm>
#include <vector>

namespace
{
std::vector<CModalLoop*>& Loops()
{
    static std::vector<CModalLoop*> loops;
    return loops;
}

bool g_programEnding = false;
} // namespace

CModalLoop::CModalLoop(std::function<void()> end) : m_end(std::move(end))
{
    // The mouse belongs to the loop's window from now on, as the window system cancels a capture
    // when a modal window comes up: a window that captured it for the press that opened the loop
    // hears that it lost it, and no click meant for the loop's window is sent on to it.
    ReleaseCapture();
    Loops().push_back(this);
    m_ended = g_programEnding;
    if (m_ended) LOG(INFO) << "The program ends: a dialog opening now does not wait";
}

CModalLoop::~CModalLoop() { std::erase(Loops(), this); }

int CModalLoop::Running() { return int(Loops().size()); }

void CModalLoop::EndAll()
{
    // Innermost first: ending an outer loop may destroy what an inner one shows.
    const std::vector<CModalLoop*> loops = Loops();
    for (auto it = loops.rbegin(); it != loops.rend(); ++it)
    {
        // An end may run other loops' ends (a dialog destroyed with its owner): only live ones.
        if (std::find(Loops().begin(), Loops().end(), *it) == Loops().end()) continue;
        CModalLoop& loop = **it;
        if (loop.m_ended) continue;
        loop.m_ended = true;
        if (loop.m_end) loop.m_end();
    }
}

void CModalLoop::SetProgramEnding(bool ending) { g_programEnding = ending; }

bool CModalLoop::IsProgramEnding() { return g_programEnding; }
