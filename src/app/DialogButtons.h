#pragma once

class QBoxLayout;
class QDialog;
class QPushButton;

namespace zelvane {

// The OK and キャンセル buttons of the program's dialogs, at the end of `layout`: OK is the
// default and accepts (through the dialog's own accept, so a dialog can check its fields),
// キャンセル rejects. Returns OK, for dialogs that enable it only for valid input.
QPushButton* AddOkCancelButtons(QDialog& dialog, QBoxLayout& layout);

} // namespace zelvane
