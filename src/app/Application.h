#pragma once

#include <QStringList>

#include <memory>

class QApplication;

namespace zelvane {

class CMainFrame;

// Start and end of the desktop program: its identity, the language of its texts,
// the main window where it was last closed, and the file named on the command line.
class CZelvane {
public:
    explicit CZelvane(QApplication& application);
    ~CZelvane();

    // Creates and shows the main window and opens the files of `arguments` (the program's
    // arguments without the program name). Returns the window, which lives until the end.
    CMainFrame& Start(const QStringList& arguments);
    int Run();

private:
    QApplication& m_application;
    std::unique_ptr<CMainFrame> m_frame;
};

} // namespace zelvane
