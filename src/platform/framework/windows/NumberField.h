#pragma once
// The number fields of dialogs, bars and grid cells read what the user typed by one rule: in
// the user's locale (ReadLocaleNumber) and within the field's range. A text that is no number,
// or a number outside the range, is refused with a message that says which and names the range,
// and the field shows its previous value again: nothing is cut at a foreign separator and
// nothing absurd is stored.
#include "platform/framework/CString.h"
#include "platform/framework/windows/CWnd.h"

#include <optional>

class CDataExchange;

struct SNumberRange
{
    double lowest = 0.0;
    double highest = 0.0;
    // A gain, a divisor, is never 0, nor a value so near it that it is 0 at the decimals the
    // field keeps.
    bool zeroAllowed = true;
    int decimals = 6;
};

enum class ENumberCheck
{
    kNumber,
    kNotANumber,
    kOutOfRange,
    kZero,
};

// What the typed text is; `value` holds the number when it is one (also when it is refused for
// its range).
ENumberCheck CheckNumber(const CString& text, const SNumberRange& range, double& value);
// The message that refuses the text: what is wrong with it and the range to keep to.
CString RefusalText(ENumberCheck check, const CString& text, const SNumberRange& range);

// Reads the number a field holds (`text`, as its editor hands it over). A refused text gets its
// message once the handler that reads the field (a lost focus, an edit that ends) has returned;
// the field shows `previous` again, selected, and takes the focus back. Nothing when refused.
std::optional<double> ReadNumberField(CWnd& field, const CString& text, const SNumberRange& range, const CString& previous);
// The same with the field's own text.
std::optional<double> ReadNumberField(CWnd& field, const SNumberRange& range, const CString& previous);

// The dialog exchange of a number field: shown in the user's locale as the shortest text that
// reads back to the value; read by the rule above, a refusal fails the exchange with its message
// and the focus on the field, whose text stays as typed for the user to mend.
void DDX_Number(CDataExchange* dx, int id, double& value, const SNumberRange& range);
