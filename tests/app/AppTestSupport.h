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
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
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

// Answers the program's modal dialogs as a user would, without waiting for any window: the
// program hands each dialog to the prompter, which runs the answer the test queued for a
// dialog of that type. A dialog nobody expected fails the test and is cancelled, so no test
// can hang on a forgotten question.
class ScriptedPrompter : public IPrompter {
public:
    // Answers the next dialog of type T with `handle`; the flag tells whether it was asked.
    // Dropping the flag withdraws the answer.
    template<class T> std::shared_ptr<bool> Answer(std::function<void(T&)> handle)
    {
        auto asked = std::make_shared<bool>(false);
        m_answers.push_back({[](QDialog& dialog) { return qobject_cast<T*>(&dialog) != nullptr; },
                             [handle](QDialog& dialog) { handle(*qobject_cast<T*>(&dialog)); },
                             false, QString(), nullptr, asked});
        return asked;
    }

    // Answers the next file dialog with `path` (empty: cancelled) and notes the file name
    // it proposed.
    std::shared_ptr<bool> AnswerFile(const QString& path, QString* proposed = nullptr)
    {
        auto asked = std::make_shared<bool>(false);
        m_answers.push_back({nullptr, nullptr, true, path, proposed, asked});
        return asked;
    }

    void Clear() { m_answers.clear(); }

    int Exec(QDialog& dialog) override
    {
        std::optional<Entry> answer = Take(
            [&dialog](const Entry& entry) { return !entry.isFile && entry.matches(dialog); });
        if (!answer) {
            ADD_FAILURE() << "unexpected dialog " << dialog.metaObject()->className() << ": "
                          << dialog.windowTitle().toStdString();
            return QDialog::Rejected;
        }
        // Shown as exec() would show it, so the answer can use the dialog's widgets.
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        answer->handle(dialog);
        dialog.hide();
        return dialog.result();
    }

    QString ChooseFile(QFileDialog& dialog) override
    {
        std::optional<Entry> answer = Take([](const Entry& entry) { return entry.isFile; });
        if (!answer) {
            ADD_FAILURE() << "unexpected file dialog " << dialog.windowTitle().toStdString();
            return QString();
        }
        if (answer->proposed)
            *answer->proposed = QFileInfo(dialog.selectedFiles().value(0)).fileName();
        return answer->file;
    }

private:
    struct Entry {
        std::function<bool(QDialog&)> matches;
        std::function<void(QDialog&)> handle;
        bool isFile;
        QString file;
        QString* proposed;
        std::weak_ptr<bool> asked;
    };

    // Removes and returns the first live answer that fits; withdrawn ones are dropped.
    std::optional<Entry> Take(const std::function<bool(const Entry&)>& fits)
    {
        for (auto it = m_answers.begin(); it != m_answers.end();) {
            std::shared_ptr<bool> asked = it->asked.lock();
            if (!asked) {
                it = m_answers.erase(it);
                continue;
            }
            if (fits(*it)) {
                Entry entry = *it;
                m_answers.erase(it);
                *asked = true;
                return entry;
            }
            ++it;
        }
        return std::nullopt;
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
