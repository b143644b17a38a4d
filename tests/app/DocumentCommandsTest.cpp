#include "app/AppTestSupport.h"
#include "app/ErrorDialog.h"
#include "app/FileNotFoundDialog.h"
#include "chart/ZlvmFile.h"
#include "chart/commands/SongPropertyCommand.h"
#include "qtcommon/CommandIds.h"
#include "qtcommon/QtText.h"
#include "text/FileIo.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>

namespace zelvane {
namespace {

class AppDocumentCommands : public test::FrameTest {
protected:
    // Window shortcuts need the window active, which a closed message box does not always
    // give back.
    void PressCtrl(Qt::Key key)
    {
        ASSERT_TRUE(test::Activate(frame.get()));
        QTest::keyClick(frame.get(), key, Qt::ControlModifier);
    }

    QString WriteDocument(const QString& name, const std::string& title,
                          const std::string& audioPath = "")
    {
        ZlvmDocumentData data;
        data.title = title;
        data.audioPath = audioPath;
        data.scores.push_back({Style::DOUBLE, "MANIAC", {CNote{0, 5, 0}, CNote{48, 2, 96}}});
        WriteFileAtomically(Path(name).toStdString(), WriteZlvm(data));
        return Path(name);
    }

    // Opens `path` and answers the message box that follows; returns its text, or an
    // empty string when no message came.
    QString OpenExpectingMessage(const QString& path)
    {
        QString text;
        auto shown = test::Prompts().Answer<QMessageBox>([&text](QMessageBox& box) {
            text = box.text() + QLatin1Char('\n') + box.informativeText();
            box.buttons().value(0)->click();
        });
        EXPECT_FALSE(frame->OpenFile(path));
        return *shown ? text : QString();
    }

    void ModifyTitle(const std::string& title)
    {
        CStepDocument& document = frame->document();
        document.Execute(
            std::make_unique<CSongPropertyCommand>(&document, SongProperties{title, "", 120.0f, 0}),
            nullptr);
    }
};

TEST_F(AppDocumentCommands, ADamagedFileIsReportedAndTheOpenDocumentStays)
{
    const QString good = WriteDocument(QStringLiteral("good.zlvm"), "Keep");
    ASSERT_TRUE(frame->OpenFile(good));
    ASSERT_EQ(frame->document().title(), "Keep");
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("good.zlvm - Zelvane"));
    EXPECT_TRUE(frame->recentFileActions().value(0)->text().endsWith(good));

    QFile goodFile(good);
    ASSERT_TRUE(goodFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = goodFile.readAll();
    QByteArray wrongVersion = bytes;
    wrongVersion[1] = 0x03;
    const struct {
        const char* name;
        QByteArray bytes;
    } damaged[] = {{"garbage.zlvm", QByteArray("not a document at all")},
                   {"truncated.zlvm", bytes.left(bytes.size() / 2)},
                   {"version.zlvm", wrongVersion}};
    for (const auto& file : damaged) {
        const QString path = Path(QString::fromLatin1(file.name));
        test::WriteBytes(path, file.bytes);
        const QString message = OpenExpectingMessage(path);
        EXPECT_TRUE(message.contains(QString::fromLatin1(file.name))) << file.name;
        EXPECT_EQ(frame->document().title(), "Keep") << file.name;
        EXPECT_EQ(frame->document().scores().size(), 1u) << file.name;
        EXPECT_EQ(frame->windowTitle(), QStringLiteral("good.zlvm - Zelvane"));
    }
    EXPECT_FALSE(OpenExpectingMessage(Path(QStringLiteral("missing.zlvm"))).isEmpty());
    // The program is still usable: a new document comes up as usual.
    PressCtrl(Qt::Key_N);
    EXPECT_EQ(frame->document().title(), "");
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("無題 - Zelvane"));
    // The recent-file list, which a new window reads too, brings the good file back.
    CMainFrame restarted;
    restarted.recentFileActions().value(0)->trigger();
    EXPECT_EQ(restarted.document().title(), "Keep");
}

TEST_F(AppDocumentCommands, FilesOpenByTheirExtensionInAnyCase)
{
    const QString model = Path(QStringLiteral("Dancer.PMD"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZELVANE_MANNEQUIN), model));
    auto informed = test::Prompts().Answer<QMessageBox>(
        [](QMessageBox& box) { box.buttons().value(0)->click(); });
    EXPECT_TRUE(frame->OpenFile(model));
    EXPECT_TRUE(*informed); // the model's comment
    EXPECT_EQ(frame->document().modelPath(), model.toStdString());
    EXPECT_NE(frame->document().model(), nullptr);
    EXPECT_TRUE(frame->document().IsModified());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("無題 - Zelvane"));

    // A dropped document replaces the current one, after the save question.
    const QString document = WriteDocument(QStringLiteral("dropped.ZLVM"), "Dropped");
    auto asked = test::AnswerMessage(QStringLiteral("いいえ(&N)"));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(document)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    EXPECT_TRUE(*asked);
    EXPECT_EQ(frame->document().title(), "Dropped");
    EXPECT_EQ(frame->document().currentScore()->difficulty(), "MANIAC");
}

TEST_F(AppDocumentCommands, TheSaveQuestionCanCancelDiscardOrSave)
{
    ModifyTitle("Mine");
    auto asked = test::AnswerMessage(QStringLiteral("キャンセル"));
    PressCtrl(Qt::Key_N);
    EXPECT_TRUE(*asked);
    EXPECT_EQ(frame->document().title(), "Mine");
    asked = test::AnswerMessage(QStringLiteral("キャンセル"));
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(*asked);
    EXPECT_TRUE(frame->isVisible());

    // Saying yes for a document that has a file writes it there.
    const QString path = WriteDocument(QStringLiteral("mine.zlvm"), "Old");
    auto discarded = test::AnswerMessage(QStringLiteral("いいえ(&N)"));
    ASSERT_TRUE(frame->OpenFile(path));
    EXPECT_TRUE(*discarded);
    ModifyTitle("Saved");
    asked = test::AnswerMessage(QStringLiteral("はい(&Y)"));
    PressCtrl(Qt::Key_N);
    EXPECT_TRUE(*asked);
    EXPECT_EQ(frame->document().title(), "");
    EXPECT_EQ(ReadZlvm(ReadWholeFile(path.toStdString())).title, "Saved");
}

TEST_F(AppDocumentCommands, AMissingSongIsAskedAboutAndCanBeIgnored)
{
    const QString path = WriteDocument(QStringLiteral("song.zlvm"), "S", "/nowhere/beat.wav");
    QString message;
    auto asked
        = test::Prompts().Answer<CFileNotFoundDialog>([&message](CFileNotFoundDialog& dialog) {
              message = dialog.findChild<QLabel*>(QStringLiteral("message"))->text();
              QTest::mouseClick(dialog.ignoreButton(), Qt::LeftButton);
          });
    ASSERT_TRUE(frame->OpenFile(path));
    EXPECT_TRUE(*asked);
    EXPECT_EQ(message, QStringLiteral("\"beat.wav\"というファイルはありません。"));
    EXPECT_EQ(frame->document().audioPath(), "");
    EXPECT_EQ(frame->document().title(), "S");
}

TEST_F(AppDocumentCommands, ASongTheDecoderRefusesIsNamedInJapaneseWithTheReasonBelow)
{
    const QString song = Path(QStringLiteral("noise.wav"));
    test::WriteBytes(song, QByteArray("RIFF and then no wave at all"));
    const QString path = WriteDocument(QStringLiteral("noisy.zlvm"), "S", song.toStdString());
    QString message;
    QString detail;
    auto asked = test::Prompts().Answer<CFileNotFoundDialog>([&](CFileNotFoundDialog& dialog) {
        message = dialog.findChild<QLabel*>(QStringLiteral("message"))->text();
        const auto* below = dialog.findChild<QLabel*>(QStringLiteral("detail"));
        detail = below->isHidden() ? QString() : below->text();
        QTest::mouseClick(dialog.ignoreButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(frame->OpenFile(path));
    EXPECT_TRUE(*asked);
    EXPECT_EQ(message, ToQString(FormatString(IDS_CANNOT_USE_FILE, {"noise.wav"})));
    EXPECT_TRUE(detail.contains(QStringLiteral("noise.wav"))) << detail.toStdString();
    EXPECT_EQ(frame->document().audioPath(), "");
}

TEST_F(AppDocumentCommands, ImportingADwiFileAsksBeforeReplacingChartsAndListsItsErrors)
{
    // Into a new document: no question, and the window is named after the chart.
    const QString tune = Path(QStringLiteral("tune.dwi"));
    test::WriteBytes(tune, QByteArray("#TITLE:T;#SINGLE:MANIAC:9:8;"));
    EXPECT_TRUE(frame->OpenFile(tune));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("tune - Zelvane"));
    EXPECT_EQ(frame->document().currentScore()->difficulty(), "MANIAC");
    // A chart that is not there is reported and the document stays.
    EXPECT_FALSE(OpenExpectingMessage(Path(QStringLiteral("gone.dwi"))).isEmpty());
    EXPECT_EQ(frame->document().title(), "T");

    const QString dwi = Path(QStringLiteral("groove.DWI"));
    test::WriteBytes(dwi, QByteArray("#TITLE:Imported;\r\n#FOO:bar;\r\n#SINGLE:BASIC:1:2468;"));
    auto discarded = test::AnswerMessage(QStringLiteral("いいえ(&N)"));
    ASSERT_TRUE(frame->OpenFile(WriteDocument(QStringLiteral("keep.zlvm"), "Keep")));
    EXPECT_TRUE(*discarded);
    discarded.reset();

    // The document has notes: declining the question changes nothing.
    QString question;
    auto asked = test::Prompts().Answer<QMessageBox>([&question](QMessageBox& box) {
        question = box.text();
        box.defaultButton()->click(); // キャンセル is the default
    });
    EXPECT_FALSE(frame->OpenFile(dwi));
    EXPECT_TRUE(*asked);
    EXPECT_EQ(question, QStringLiteral("現在の譜面は消去されます。"));
    EXPECT_EQ(frame->document().title(), "Keep");
    EXPECT_EQ(frame->document().currentScore()->difficulty(), "MANIAC");

    QString errors;
    std::shared_ptr<bool> listed;
    auto confirmed = test::Prompts().Answer<QMessageBox>([&errors, &listed](QMessageBox& box) {
        for (QAbstractButton* button : box.buttons())
            if (button->text() == QStringLiteral("OK"))
                button->click();
        listed = test::Prompts().Answer<CErrorDialog>([&errors](CErrorDialog& dialog) {
            errors = dialog.errorList()->toPlainText();
            dialog.accept();
        });
    });
    EXPECT_TRUE(frame->OpenFile(dwi));
    EXPECT_TRUE(*confirmed);
    ASSERT_TRUE(listed && *listed);
    EXPECT_EQ(errors, QStringLiteral("2行目:\"FOO\" には対応していません。"));
    EXPECT_EQ(frame->document().title(), "Imported");
    EXPECT_EQ(frame->document().currentScore()->notes().size(), 4u);
    EXPECT_TRUE(frame->document().IsModified());
    // The document keeps its own file; the chart only replaced its scores.
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("keep.zlvm - Zelvane"));
}

} // namespace
} // namespace zelvane
