#pragma once

class QDialog;
class QWidget;

namespace zelvane {

// The widest a message line is shown before it wraps: two fifths of the screen, and never
// so wide that a message box with its icon and margins would pass the width Qt allows it.
int MessageLineLimit(const QWidget& widget);

// Makes the wrapping labels of a dialog (every label of a message box, which wraps on its
// own) as wide as their longest line, up to MessageLineLimit. A word-wrapped label is
// otherwise laid out narrow and breaks a file path in the middle of a name.
void FitMessageWidth(QDialog& dialog);

} // namespace zelvane
