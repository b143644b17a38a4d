#pragma once

#include "app/MainFrame.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "chart/ZlvmFile.h"
#include "chart/commands/SongPropertyCommand.h"
#include "model/PmdTestWriter.h"
#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"
#include "render_gl/ModelView.h"
#include "render_gl/ModelWindow.h"
#include "score/ScoreBar.h"
#include "score/ScorePane.h"
#include "score/ScoreView.h"
#include "text/FileIo.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <algorithm>
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

// The title as the window shows it: "[*]" is "*" while there are unsaved changes.
inline QString ShownTitle(const QWidget& window)
{
    return window.windowHandle() ? window.windowHandle()->title() : QString();
}

// The program's settings (kept in a temporary folder for the whole test run).
inline QSettings Stored()
{
    return QSettings(QStringLiteral("Kestrane"), QStringLiteral("Zelvane"));
}

// Replaces a line edit's text key by key, as the user does.
inline void Retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Gives the song a new title through the edit history, as the song dialog does.
inline void Retitle(CStepDocument& document, const std::string& title)
{
    document.Execute(
        std::make_unique<CSongPropertyCommand>(&document, SongProperties{title, "", 120.0f, 0}),
        nullptr);
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A one-triangle model, `size` to either side and as high, with a material naming each of
// `fileNames` (texture and sphere map as the PMD format writes them, "*" between).
inline void WriteTriangleModel(const QString& path, const std::vector<std::string>& fileNames,
                               float size = 1.0f)
{
    PmdFile file;
    file.name = "tri";
    file.vertices = {{-size, 0, 0}, {0, size, 0}, {size, 0, 0}};
    file.bones.push_back({"center"});
    for (const std::string& names : fileNames) {
        file.indices.insert(file.indices.end(), {0, 1, 2});
        PmdMaterial& material = file.materials.emplace_back();
        material.faceVertexCount = 3;
        material.fileNames = names;
    }
    WriteFileAtomically(path.toStdString(), WritePmd(file));
}

// Whether `text` holds a lowercase ASCII letter outside `path`: every English sentence of the
// core does, and none of the Japanese texts the program shows for a failure.
inline bool HasEnglish(QString text, const QString& path = {})
{
    if (!path.isEmpty())
        text.remove(path);
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); });
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
        m_answers.push_back({&T::staticMetaObject,
                             [handle, path](QDialog& dialog) {
                                 handle(static_cast<T&>(dialog));
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
        const QMetaObject* type;
        Handle handle;
        std::weak_ptr<bool> asked;
    };

    // Removes and returns the first live answer that fits; withdrawn ones are dropped. The
    // answer is taken before it runs, so it may queue answers for the dialogs it opens.
    Handle Take(QDialog& dialog)
    {
        std::erase_if(m_answers, [](const Entry& entry) { return entry.asked.expired(); });
        const auto it = std::ranges::find_if(
            m_answers, [&dialog](const Entry& entry) { return entry.type->cast(&dialog); });
        if (it == m_answers.end()) {
            ADD_FAILURE() << "unexpected dialog " << dialog.metaObject()->className() << ": "
                          << dialog.windowTitle().toStdString();
            return nullptr;
        }
        *it->asked.lock() = true;
        Handle handle = std::move(it->handle);
        m_answers.erase(it);
        return handle;
    }

    std::deque<Entry> m_answers;
};

// The prompter every test of the run answers through (installed by the test program's main).
inline ScriptedPrompter& Prompts()
{
    static ScriptedPrompter prompter;
    return prompter;
}

// Answers the next message box by clicking the button of that text (empty: its first button),
// noting its text and the reason on the line below.
inline std::shared_ptr<bool> AnswerMessage(const QString& buttonText = {}, QString* text = nullptr,
                                           QString* detail = nullptr)
{
    return Prompts().Answer<QMessageBox>([buttonText, text, detail](QMessageBox& box) {
        if (text)
            *text = box.text();
        if (detail)
            *detail = box.informativeText();
        for (QAbstractButton* button : box.buttons())
            if (buttonText.isEmpty() || button->text() == buttonText)
                return button->click();
    });
}

// A shown, active main window over empty settings, with a scratch folder.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Stored().clear();
        Prompts().Clear();
        ASSERT_TRUE(folder.isValid());
        frame = std::make_unique<CMainFrame>();
        frame->ShowWithSavedPlacement();
        ASSERT_TRUE(Activate(frame.get()));
    }
    QString Path(const QString& name) const { return folder.filePath(name); }
    // Adds `notes` to the BASIC score of `style` (made if missing) and shows that score.
    CScore& AddNotes(const std::vector<CNote>& notes, Style style = Style::SINGLE)
    {
        CStepDocument& document = frame->document();
        CScore* score = document.scores().FindOrCreate(style, "BASIC");
        for (const CNote& note : notes)
            score->InsertNote(std::make_unique<CNote>(note));
        score->UpdateLength(0);
        document.scores().SetCurrent(score);
        document.UpdateAllViews(nullptr, UpdateHint::CurrentScore, score);
        return *score;
    }
    // Window shortcuts need the window active, which a closed dialog does not always give back.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        ASSERT_TRUE(Activate(frame.get()));
        QTest::keyClick(frame.get(), key, modifiers);
    }

    QTemporaryDir folder;
    std::unique_ptr<CMainFrame> frame;
};

} // namespace zelvane::test
