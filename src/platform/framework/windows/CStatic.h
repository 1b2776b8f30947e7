#pragma once
// Static text. An ampersand marks a mnemonic and is not shown ("&&" shows one).
#include "platform/framework/windows/CWnd.h"

class CStatic : public CWnd
{
public:
    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
};
