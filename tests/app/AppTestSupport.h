#pragma once

#include "app/MainFrame.h"
#include "app/Prompter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <deque>
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

// The application object the test program's main made, for tests that start the program.
inline QApplication& Application()
{
    return *qobject_cast<QApplication*>(QCoreApplication::instance());
}

// The program's settings (kept in a temporary folder for the whole test run).
inline QSettings Stored()
{
    return QSettings(QStringLiteral("Kestrane"), QStringLiteral("Zelvane"));
}

inline void ClearSettings()
{
    Stored().clear();
}

// Replaces a line edit's text key by key, as the user does.
inline void Retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Answers the program's modal dialogs as a user would, without waiting for any window: the
// program hands each dialog to the prompter, which runs the first answer the test queued
// for a dialog of that type. A dialog nobody expected fails the test and is cancelled, so
// no test can hang on a forgotten question.
class ScriptedPrompter : public IPrompter {
public:
    // Answers the next dialog of type T with `handle` (and a file dialog with `path`); the
    // flag tells whether it was asked. Dropping the flag withdraws the answer.
    template<class T>
    std::shared_ptr<bool> Answer(std::function<void(T&)> handle, const QString& path = {})
    {
        auto asked = std::make_shared<bool>(false);
        m_answers.push_back({[](QDialog& dialog) { return qobject_cast<T*>(&dialog) != nullptr; },
                             [handle, path](QDialog& dialog) {
                                 handle(*qobject_cast<T*>(&dialog));
                                 return path;
                             },
                             asked});
        return asked;
    }

    // Answers the next file dialog with `path` (empty: cancelled), noting the file name it
    // proposed.
    std::shared_ptr<bool> AnswerFile(const QString& path, QString* proposed = nullptr)
    {
        return Answer<QFileDialog>(
            [proposed](QFileDialog& dialog) {
                if (proposed)
                    *proposed = QFileInfo(dialog.selectedFiles().value(0)).fileName();
            },
            path);
    }

    void Clear() { m_answers.clear(); }

    int Exec(QDialog& dialog) override
    {
        const Handle answer = Take(dialog);
        if (!answer)
            return QDialog::Rejected;
        // Shown as exec() would show it, so the answer can use the dialog's widgets.
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        answer(dialog);
        dialog.hide();
        return dialog.result();
    }

    QString ChooseFile(QFileDialog& dialog) override
    {
        const Handle answer = Take(dialog);
        return answer ? answer(dialog) : QString();
    }

private:
    using Handle = std::function<QString(QDialog&)>;
    struct Entry {
        std::function<bool(QDialog&)> fits;
        Handle handle;
        std::weak_ptr<bool> asked;
    };

    // Removes and returns the first live answer that fits; withdrawn ones are dropped.
    Handle Take(QDialog& dialog)
    {
        std::erase_if(m_answers, [](const Entry& entry) { return entry.asked.expired(); });
        for (auto it = m_answers.begin(); it != m_answers.end(); ++it) {
            if (it->fits(dialog)) {
                *it->asked.lock() = true;
                Handle handle = std::move(it->handle);
                m_answers.erase(it);
                return handle;
            }
        }
        ADD_FAILURE() << "unexpected dialog " << dialog.metaObject()->className() << ": "
                      << dialog.windowTitle().toStdString();
        return nullptr;
    }

    std::deque<Entry> m_answers;
};

// The prompter every test of the run answers through (installed by the test program's main).
inline ScriptedPrompter& Prompts()
{
    static ScriptedPrompter prompter;
    return prompter;
}

// Answers the next message box by clicking the button of that text, noting the question.
inline std::shared_ptr<bool> AnswerMessage(const QString& buttonText, QString* question = nullptr)
{
    return Prompts().Answer<QMessageBox>([buttonText, question](QMessageBox& box) {
        if (question)
            *question = box.text();
        for (QAbstractButton* button : box.buttons())
            if (button->text() == buttonText)
                button->click();
    });
}

// A shown, active main window over empty settings, with a scratch folder.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearSettings();
        Prompts().Clear();
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
