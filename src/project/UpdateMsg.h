#pragma once
// The document's update hint: which session was deleted or added, and the added one's study
// type. One object lives as long as the document, so a field an operation does not set keeps
// its last value.
class CUpdateMsg
{
public:
    CUpdateMsg() = default;
    // The project manager page's change records derive from it: views tell them apart.
    virtual ~CUpdateMsg() = default;
    CUpdateMsg(const CUpdateMsg&) = default;
    CUpdateMsg& operator=(const CUpdateMsg&) = default;

    // After a deletion: the deleted session's index.
    void Set(int value)
    {
        m_first = value;
        m_second = -1;
    }
    // After an import: the new data set's index and its study type.
    void SetAdded(int value, int studyType)
    {
        m_first = -1;
        m_second = value;
        m_third = studyType;
    }
    int GetKind() const { return m_first; }
    int GetAdded() const { return m_second; }
    int GetStudyType() const { return m_third; }

private:
    int m_first = -1;
    int m_second = -1;
    int m_third = -1;
};
