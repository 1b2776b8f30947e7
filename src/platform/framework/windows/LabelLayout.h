#pragma once

class QLabel;

// A label that can take the focus keeps its text in a text document, laid out as it paints; the
// layout then asks for the label to be painted again, and with it whatever lies below it. Laid
// out before the window paints, the label paints once.

// The label's text, font or size changed: it is laid out before the next paint.
void LayOutLabelBeforePaint(QLabel& label);
// Lays out the labels waiting that show; called as a window is about to paint.
void LayOutWaitingLabels();
