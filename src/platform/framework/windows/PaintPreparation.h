#pragma once

class QWidget;

// What a control would otherwise do as it paints, done before its window paints: a control that
// changes itself in its paint asks for a second paint, with whatever lies below it.
// - A label that can take the focus keeps its text in a text document, laid out as it paints.
// - A native control asks its parent for its colours (WM_CTLCOLOR...) as it paints, and a new
//   palette asks for a paint again; asked before, the paint finds them unchanged.

// The control showed, or a label's text, font or size changed: it is prepared before the next
// paint of its window.
void PrepareBeforePaint(QWidget& control);
// Prepares the waiting controls that show; called as a window is about to paint.
void PrepareWaitingControls();
