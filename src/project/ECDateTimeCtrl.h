#pragma once
// A time picker of the energy-cost page that can be marked invalid: an interval that overlaps an
// earlier one is shown on a pink background.
#include "platform/framework/windows/CDateTimeCtrl.h"

class CECDateTimeCtrl : public CDateTimeCtrl
{
public:
    static constexpr COLORREF kInvalidColor = RGB(255, 192, 192);

    bool IsInvalid() const { return m_invalid; }
    // Repaints only when the flag changes.
    void SetInvalid(bool invalid);
    COLORREF GetBackgroundColor() const;

protected:
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    bool m_invalid = false;
};
