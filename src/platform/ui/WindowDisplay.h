#pragma once

class QLabel;
class QWidget;

// Moves a window to the middle of the screen it is on (the primary screen before it is shown).
void CentreOnScreen(QWidget &window);

// Makes the window as large as its layout asks and no larger or smaller: a fixed-size dialog.
void FixToLayoutSize(QWidget &window);

// Shows the window and paints it at once, for windows put up while the program works without
// running its event loop (splash, notices).
void ShowAndPaintNow(QWidget &window);

// Shrinks the label's font one point at a time while its text is wider than maxWidth pixels.
void ShrinkFontToWidth(QLabel &label, int maxWidth);
