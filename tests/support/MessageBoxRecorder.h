#pragma once
// Records the message boxes shown while it lives instead of showing them, answering each with
// the next queued answer, else with a chosen one; the handler it replaced comes back afterwards.
#include "platform/framework/MessageBoxService.h"

#include <deque>
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
              if (m_answers.empty())
                  return answer;
              const int next = m_answers.front();
              m_answers.pop_front();
              return next;
          }))
    {
    }
    ~CMessageBoxRecorder() { SetMessageBoxHandler(std::move(m_previous)); }
    CMessageBoxRecorder(const CMessageBoxRecorder&) = delete;
    CMessageBoxRecorder& operator=(const CMessageBoxRecorder&) = delete;

    const std::vector<Box>& Boxes() const { return m_boxes; }
    void AnswerNext(int answer) { m_answers.push_back(answer); }

private:
    std::vector<Box> m_boxes;
    std::deque<int> m_answers;
    MessageBoxHandler m_previous;
};
