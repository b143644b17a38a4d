#pragma once

#include "app/MainFrame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <ostream>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace zelvane::test {

// Makes the window active again (a closed modal dialog does not always hand activation
// back on every platform) so window shortcuts reach it.
inline bool Activate(QWidget* window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Empties the program's settings (kept in a temporary folder for the whole test run).
inline void ClearSettings()
{
    QSettings(QStringLiteral("Kestrane"), QStringLiteral("Zelvane")).clear();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Runs `handle` on the next modal dialog of type T once it is open and in the event loop,
// so a test can answer a dialog that the code under test opens with exec(). A dialog of
// another type, or none within a few seconds, is rejected so the test cannot hang; the
// returned flag tells whether `handle` ran.
template<class T> std::shared_ptr<bool> WhenModal(std::function<void(T*)> handle)
{
    auto handled = std::make_shared<bool>(false);
    // The poll ends with the caller's flag, so a dialog that never came cannot be answered
    // by a later test.
    std::weak_ptr<bool> flag = handled;
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, flag, handle] {
        const std::shared_ptr<bool> wanted = flag.lock();
        QWidget* modal = QApplication::activeModalWidget();
        T* dialog = qobject_cast<T*>(modal);
        if (!wanted || dialog || clock->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
        }
        if (!wanted)
            return;
        if (dialog) {
            *wanted = true;
            handle(dialog);
        } else if (clock->elapsed() > 5000 && modal) {
            modal->close();
        }
    });
    timer->start();
    return handled;
}

// A shown, active main window over empty settings, with a scratch folder.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearSettings();
        ASSERT_TRUE(folder.isValid());
        frame = std::make_unique<CMainFrame>();
        frame->ShowWithSavedPlacement();
        ASSERT_TRUE(Activate(frame.get()));
    }
    QString Path(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace zelvane::test
