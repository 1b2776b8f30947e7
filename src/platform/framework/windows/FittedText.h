#pragma once
// Private to the window layer: the text of a label, button or group box shows whole when it fits
// the room its control gives it; otherwise it is cut to end with "…" and the control's tooltip
// tells the whole text. Measured in the control's font again whenever its size, font or text
// changes, so every control that shows a text follows the same rule.
#include <QObject>
#include <QRect>
#include <QString>

#include <functional>

class QFontMetrics;

class QWidget;

class CFittedText : public QObject
{
public:
    // The rectangle the text may fill, in the widget's coordinates.
    using Room = std::function<QRect(const QWidget&)>;
    // Puts the text to show into the widget.
    using Show = std::function<void(const QString&)>;

    // Watches the widget, which owns the object. A text that wraps may take several lines of
    // its room; one that does not keeps to one line (each of its lines, when it has several).
    // With mnemonics an '&' marks the next character, as buttons show it.
    CFittedText(QWidget& widget, bool wraps, bool mnemonics, Room room, Show show);

    void SetText(const QString& text);
    const QString& GetText() const { return m_text; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fit();

    QWidget& m_widget;
    bool m_wraps;
    bool m_mnemonics;
    Room m_room;
    Show m_show;
    QString m_text;
    QRect m_fittedRoom; // the room the text was last fitted into
    bool m_cut = false;
};

// The text shown in that room: whole when it fits, else the longest beginning that fits with
// "…" after it (its mnemonic marks then shown as plain characters).
QString FitTextIntoRoom(const QString& text, const QFontMetrics& metrics, const QRect& room, bool wraps,
                        bool mnemonics = false);
// Mnemonic marks as a label shows them: a single '&' vanishes, "&&" stays one '&'.
QString WithoutMnemonics(const QString& text);
