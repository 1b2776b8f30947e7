#pragma once
// A main view inside a project window of its own, without a document.
#include "mainview/MainView.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"
#include "views/SplitFrame.h"
#include "views/TabWnd.h"

#include <gtest/gtest.h>

#include <memory>

class MainViewFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
    }
    void SetUp() override
    {
        ASSERT_TRUE(m_window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                      CRect(0, 0, 1100, 760), nullptr, 0));
        m_view = std::make_unique<CMainView>();
        ASSERT_TRUE(m_view->Create(&m_window, nullptr, SViewCreateContext()));
    }
    void TearDown() override
    {
        m_view.reset();
        m_window.DestroyWindow();
        CFrameworkApp::PumpWaitingMessages();
    }

    TTabWnd& Tabs() { return *dynamic_cast<TTabWnd*>(m_view->GetRootWindow()); }
    SMainViewLayout& Layout() { return m_view->GetLayout(); }
    CSplitFrame* Frame(int entry)
    {
        const TVisualObject* object = Layout().GetObject(entry);
        return object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
    }
    void Build(int viewId)
    {
        m_view->SetCurrentViewId(viewId);
        m_view->BuildStudyLayout(SViewCreateContext());
    }
    // Every window below the project window.
    static int CountWindows(const CWnd& parent)
    {
        int count = 0;
        for (CWnd* child = parent.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
            count += 1 + CountWindows(*child);
        return count;
    }

    CWnd m_window;
    std::unique_ptr<CMainView> m_view;
};
