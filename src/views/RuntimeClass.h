#pragma once
// The run-time class of a dynamically creatable window class: its name, its base class's record,
// a creation function and, for a frame class, the run-time class of the view it holds, so that the
// tab framework and the splitter can create a page from the record alone. Windows made this way
// delete themselves when their window is destroyed.
class CWnd;

struct SRuntimeClass
{
    const char* className;
    const SRuntimeClass* baseClass;
    CWnd* (*createObject)(const SRuntimeClass& runtimeClass);
    const SRuntimeClass* paneClass;

    // A new object of the class (not yet a window); null for a class that is not creatable.
    CWnd* CreateObject() const { return createObject ? createObject(*this) : nullptr; }
    bool IsDerivedFrom(const SRuntimeClass& base) const
    {
        for (const SRuntimeClass* c = this; c; c = c->baseClass)
            if (c == &base)
                return true;
        return false;
    }
};

// The creation function of a class with a default constructor.
template <class T>
CWnd* CreateWindowObject(const SRuntimeClass&)
{
    return new T;
}
