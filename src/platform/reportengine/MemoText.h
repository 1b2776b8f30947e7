#pragma once
// Laying out a memo's text: the same line breaks when the height is measured during preparing
// and when the text is drawn at any resolution. Text is laid out at a fixed reference
// resolution without hinting; drawing scales the painter from it.
#include "platform/reportengine/PreparedReport.h"

#include <QFont>

class QPainter;

inline constexpr double kReferenceDpi = 1200.0;
inline constexpr double kMemoPaddingX = 0.8;
inline constexpr double kMemoPaddingY = 0.4;

inline double MmToReference(double mm) { return mm * kReferenceDpi / 25.4; }
inline double ReferenceToMm(double units) { return units * 25.4 / kReferenceDpi; }

QFont MakeReportFont(const SReportFont& font);
// The height the memo needs to show all its text in its width, padding included.
double MeasureMemoHeight(const SPreparedItem& item);
// Draws the text inside the item's rectangle; the painter works in reference units.
void DrawMemoText(QPainter& painter, const SPreparedItem& item, const CString& text);
