#pragma once
// CObject and run-time classes: a class declared dynamic names itself and its base, so code
// can ask IsKindOf; a dynamically creatable class also has a creation function, so frames,
// views and splitter panes can be made from their run-time class record alone.
#include "platform/framework/WinTypes.h"

class CObject;

struct CRuntimeClass
{
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)(); // null for classes that are not dynamically creatable
    const CRuntimeClass* m_pBaseClass;

    // A new object of the class (the caller owns it); null when the class cannot be created.
    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    BOOL IsDerivedFrom(const CRuntimeClass* base) const
    {
        for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
            if (c == base) return TRUE;
        return FALSE;
    }
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                   \
public:                                               \
    static const CRuntimeClass class##class_name;     \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define IMPLEMENT_DYNAMIC(class_name, base_name)                                                          \
    const CRuntimeClass class_name::class##class_name = {#class_name, nullptr, RUNTIME_CLASS(base_name)}; \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNCREATE(class_name, base_name)                                               \
    CObject* class_name::CreateObject() { return new class_name; }                               \
    const CRuntimeClass class_name::class##class_name = {#class_name, &class_name::CreateObject, \
                                                         RUNTIME_CLASS(base_name)};              \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

class CObject
{
public:
    static const CRuntimeClass classCObject;
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }
    BOOL IsKindOf(const CRuntimeClass* c) const { return GetRuntimeClass()->IsDerivedFrom(c); }
};

inline const CRuntimeClass CObject::classCObject = {"CObject", nullptr, nullptr};
