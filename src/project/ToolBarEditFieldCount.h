#pragma once
// The toolbars of the project window keep one process-wide count of their edit fields; the
// project document raises it by one while it rebuilds the study layout. The count lives here,
// below the toolbars, so that the document can raise it; the toolbar class reads it.
class CToolBarEditFieldCount
{
public:
    static int Get() { return s_editFields; }
    static void Add() { ++s_editFields; }
    static void Remove() { --s_editFields; }

private:
    static inline int s_editFields = 0;
};
