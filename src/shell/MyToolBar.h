#pragma once
// The toolbars of the project window keep one process-wide count of their edit fields; the
// project document raises it by one while it rebuilds the study layout.
class CMyToolBar
{
public:
    static int GetEditFieldCount() { return s_editFields; }
    static void AddEditField() { ++s_editFields; }
    static void RemoveEditField() { --s_editFields; }

private:
    static inline int s_editFields = 0;
};
