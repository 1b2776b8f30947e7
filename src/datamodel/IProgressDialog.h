#pragma once
// The progress dialog that long work on the user-interface thread keeps up to date: a caption, a
// bar of 0..100 and a Cancel button. The window form comes from the window layer; without a
// display a recording form stands in (CRecordingProgressDialog).
#include "platform/framework/CString.h"

class IProgressDialog
{
public:
    virtual ~IProgressDialog() = default;

    // Creates and shows the dialog (modeless) with its caption.
    virtual void Show(const CString& caption) = 0;
    // Moves the bar; the position is already mapped into 0..100.
    virtual void SetPos(int position) = 0;
    // True once the user pressed Cancel.
    virtual bool IsCanceled() const = 0;
    virtual void Close() = 0;
};
