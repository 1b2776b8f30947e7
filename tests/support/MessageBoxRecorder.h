#pragma once
// Records the message boxes shown while it lives instead of showing them, answering each with
// a chosen answer; the handler it replaced comes back afterwards.
#include "platform/framework/MessageBoxService.h"

#include <vector>

class CMessageBoxRecorder
{
public:
    struct Box
    {
        CString text;
        UINT type = 0;
    };

    explicit CMessageBoxRecorder(int answer = IDOK)
        : m_previous(SetMessageBoxHandler([this, answer](const CString& text, UINT type) {
              m_boxes.push_back({text, type});
              return answer;
          }))
    {
    }
    ~CMessageBoxRecorder() { SetMessageBoxHandler(std::move(m_previous)); }
    CMessageBoxRecorder(const CMessageBoxRecorder&) = delete;
    CMessageBoxRecorder& operator=(const CMessageBoxRecorder&) = delete;

    const std::vector<Box>& Boxes() const { return m_boxes; }

private:
    std::vector<Box> m_boxes;
    MessageBoxHandler m_previous;
};
