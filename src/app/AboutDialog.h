#pragma once

#include <QDialog>

namespace zelvane {

// The program's icon and version; closes with OK or the close box and changes nothing.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersionText = "Zelvane Version 2.0.1";
    explicit CAboutDialog(QWidget* parent = nullptr);
};

} // namespace zelvane
