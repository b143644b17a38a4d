#pragma once

#include <QDialog>
#include <QString>

namespace zelvane {

// The version this build reports: the project's version and, from a git checkout, the commit
// it was built from ("0.1.0 (664aa05)").
QString BuildVersionText();

// The program's icon and version, and the build's; closes with OK or the close box and changes
// nothing.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersionText = "Zelvane Version 2.0.1";
    explicit CAboutDialog(QWidget* parent = nullptr);
};

} // namespace zelvane
