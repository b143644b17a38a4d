#include "TempFolder.h"
#include "app/AppTestSupport.h"
#include "app/ErrorDialog.h"
#include "app/ErrorMessages.h"
#include "app/FileNotFoundDialog.h"
#include "base/ChartLimits.h"
#include "chart/ChartTestSupport.h"
#include "chart/commands/AddNoteCommand.h"
#include "media/MediaErrors.h"
#include "text/Errors.h"

#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>

#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvane {
namespace {

class AppDocumentCommands : public test::FrameTest {
protected:
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
        auto shown = test::AnswerMessage({}, &text);
        EXPECT_FALSE(frame->OpenFile(path));
        return *shown ? text : QString();
    }
};

// Which files the reader refuses is its own suite's business; here, that the refusal reaches
// the user by the file's name and leaves the open document as it was. Unsaved changes are
// asked about before they would be lost.
TEST_F(AppDocumentCommands, AFileThatCannotBeOpenedIsReportedAndChangesAreAskedAbout)
{
    const QString path = WriteDocument(QStringLiteral("mine.zlvm"), "Old");
    ASSERT_TRUE(frame->OpenFile(path));
    const QString damaged = Path(QStringLiteral("damaged.zlvm"));
    test::WriteBytes(damaged, QByteArray("not a document at all"));
    EXPECT_TRUE(OpenExpectingMessage(damaged).contains(QStringLiteral("damaged.zlvm")));
    EXPECT_FALSE(OpenExpectingMessage(Path(QStringLiteral("missing.zlvm"))).isEmpty());
    EXPECT_EQ(frame->document().description().title, "Old");
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("mine.zlvm - Zelvane"));

    test::Retitle(frame->document(), "Mine");
    auto asked = test::AnswerMessage(QStringLiteral("キャンセル"));
    Press(Qt::Key_N);
    EXPECT_TRUE(*asked);
    EXPECT_EQ(frame->document().description().title, "Mine");
    asked = test::AnswerMessage(QStringLiteral("キャンセル"));
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(*asked);
    EXPECT_TRUE(frame->isVisible());
    // Saying yes for a document that has a file writes it there.
    asked = test::AnswerMessage(QStringLiteral("はい(&Y)"));
    Press(Qt::Key_N);
    EXPECT_TRUE(*asked);
    EXPECT_EQ(frame->document().description().title, "");
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("無題 - Zelvane"));
    EXPECT_EQ(ReadZlvm(ReadWholeFile(path.toStdString(), kMaxChartFileBytes)).title, "Mine");
    // The recent-file list, which a new window reads too, brings the file back.
    CMainFrame restarted;
    restarted.recentFileActions().value(0)->trigger();
    EXPECT_EQ(restarted.document().description().title, "Mine");

    // A dropped document, its extension in any case, replaces the current one after the
    // question.
    test::Retitle(frame->document(), "Dropping");
    const QString dropped = WriteDocument(QStringLiteral("dropped.ZLVM"), "Dropped");
    asked = test::AnswerMessage(QStringLiteral("いいえ(&N)"));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(dropped)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    EXPECT_TRUE(*asked);
    EXPECT_EQ(frame->document().description().title, "Dropped");
}

// A song that is not there is named in Japanese; browsing without choosing leaves the
// question open, and ignoring it forgets the song. (One the decoder refuses is told in the
// status bar once its decode has failed.)
TEST_F(AppDocumentCommands, ASongThatIsMissingIsAskedAboutAndCanBeIgnored)
{
    const QString path = WriteDocument(QStringLiteral("song.zlvm"), "S", "/nowhere/beat.wav");
    QString message;
    QString detail;
    std::shared_ptr<bool> browsed;
    auto asked = test::Prompts().Answer<CFileNotFoundDialog>([&](CFileNotFoundDialog& dialog) {
        message = dialog.findChild<QLabel*>(QStringLiteral("message"))->text();
        const auto* below = dialog.findChild<QLabel*>(QStringLiteral("detail"));
        detail = below->isHidden() ? QString() : below->text();
        browsed = test::Prompts().AnswerFile(QString());
        QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(dialog.ignoreButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), CFileNotFoundDialog::kIgnore);
    });
    ASSERT_TRUE(frame->OpenFile(path));
    EXPECT_TRUE(*asked);
    EXPECT_TRUE(browsed && *browsed);
    EXPECT_EQ(message, QStringLiteral("\"beat.wav\"というファイルはありません。"));
    EXPECT_TRUE(detail.isEmpty()) << detail.toStdString();
    EXPECT_EQ(frame->document().audio().path, "");
    EXPECT_EQ(frame->document().description().title, "S");
    EXPECT_FALSE(frame->songLoader().loading());
}

// Tags that only name the cover, the genre or the preview are passed over without a list.
TEST_F(AppDocumentCommands, ImportingADwiFileAsksBeforeReplacingChartsAndListsItsErrors)
{
    // Into a new document: no question, no list, and the window is named after the chart.
    const QString tune = Path(QStringLiteral("tune.dwi"));
    test::WriteBytes(tune,
                     QByteArray("#TITLE:T;#GENRE:Pop;#CDTITLE:c.png;#DISPLAYBPM:150;"
                                "#SAMPLESTART:10;#SAMPLELENGTH:5;#DISPLAYTITLE:q;"
                                "#DISPLAYARTIST:a;#SINGLE:MANIAC:9:8;"));
    EXPECT_TRUE(frame->OpenFile(tune));
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("tune* - Zelvane"));
    // A chart that is not there is reported and the document stays.
    EXPECT_FALSE(OpenExpectingMessage(Path(QStringLiteral("gone.dwi"))).isEmpty());
    EXPECT_EQ(frame->document().description().title, "T");

    const QString dwi = Path(QStringLiteral("groove.DWI"));
    test::WriteBytes(dwi,
                     QByteArray("#TITLE:Imported;\r\n#FOO:bar;#GENRE:Pop;\r\n"
                                "#SINGLE:BASIC:1:2468;"));
    auto discarded = test::AnswerMessage(QStringLiteral("いいえ(&N)"));
    ASSERT_TRUE(frame->OpenFile(WriteDocument(QStringLiteral("keep.zlvm"), "Keep")));
    EXPECT_TRUE(*discarded);

    // The document has notes: declining the question changes nothing.
    QString question;
    auto asked = test::Prompts().Answer<QMessageBox>([&question](QMessageBox& box) {
        question = box.text();
        box.defaultButton()->click(); // キャンセル is the default
    });
    EXPECT_FALSE(frame->OpenFile(dwi));
    EXPECT_TRUE(*asked);
    EXPECT_EQ(question, QStringLiteral("現在の譜面は消去されます。"));
    EXPECT_EQ(frame->document().description().title, "Keep");

    QString errors;
    auto confirmed = test::AnswerMessage(QStringLiteral("OK"));
    auto listed = test::Prompts().Answer<CErrorDialog>([&errors](CErrorDialog& dialog) {
        errors = dialog.errorList()->toPlainText();
        dialog.accept();
    });
    EXPECT_TRUE(frame->OpenFile(dwi));
    EXPECT_TRUE(*confirmed);
    ASSERT_TRUE(*listed);
    EXPECT_EQ(errors, QStringLiteral("2行目:\"FOO\" には対応していません。"));
    EXPECT_EQ(frame->document().description().title, "Imported");
    // The document keeps its own file; the chart only replaced its scores.
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("keep.zlvm* - Zelvane"));
}

// Bytes that are no chart are said to be none, once, before the question whether the charts
// may go is asked: the document keeps its charts, its title and its history.
TEST_F(AppDocumentCommands, AFileThatIsNoDwiIsRefusedBeforeTheQuestion)
{
    ASSERT_TRUE(frame->OpenFile(WriteDocument(QStringLiteral("keep.zlvm"), "Keep")));
    test::Retitle(frame->document(), "Kept");
    const std::vector<CNote> notes = test::NotesOf(*frame->document().scores().current());
    ASSERT_FALSE(notes.empty());

    const QString garbage = Path(QStringLiteral("binary.dwi"));
    test::WriteBytes(garbage, QByteArray("#TITLE:x;\0\x01\xff#SINGLE:BASIC:1:8;", 30));
    QString text;
    QString detail;
    auto shown = test::AnswerMessage({}, &text, &detail); // any second box fails the test
    EXPECT_FALSE(frame->OpenFile(garbage));
    EXPECT_TRUE(*shown);
    EXPECT_EQ(text, ToQString(FormatString(IDS_DWI_NOT_DWI, {garbage.toStdString()})));
    // What gave the bytes away, in Japanese too; the message already named the file.
    EXPECT_EQ(detail, QStringLiteral("テキストファイルにはないNULバイトを含んでいます。"));
    EXPECT_EQ(frame->document().description().title, "Kept");
    EXPECT_EQ(test::NotesOf(*frame->document().scores().current()), notes);
    EXPECT_TRUE(frame->document().CanUndo());
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("keep.zlvm* - Zelvane"));
}

// Each kind derives from a more general one; the message must be the particular kind's.
TEST(ErrorMessages, TheMostParticularKindOfAFailureChoosesItsMessage)
{
    EXPECT_EQ(ErrorMessageId(ChartLimitError("")), IDS_ERROR_CHART_LIMIT);
    EXPECT_EQ(ErrorMessageId(InvalidArgumentError("")), IDS_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(ErrorMessageId(EndOfFileError("")), IDS_ERROR_END_OF_FILE);
    EXPECT_EQ(ErrorMessageId(FileFormatError("")), IDS_ERROR_FILE_FORMAT);
    EXPECT_EQ(ErrorMessageId(AviCreateError("")), IDS_AVI_CANNOT_CREATE);
    EXPECT_EQ(ErrorMessageId(FileIoError("")), IDS_ERROR_FILE_ACCESS);
    EXPECT_EQ(ErrorMessageId(MediaError("")), IDS_ERROR_MEDIA);
    EXPECT_EQ(ErrorMessageId(WorkerFailedError("")), IDS_ERROR_WORKER);
    EXPECT_EQ(ErrorMessageId(std::bad_alloc()), IDS_ERROR_OUT_OF_MEMORY);
    EXPECT_EQ(ErrorMessageId(std::runtime_error("")), IDS_ERROR_UNEXPECTED);
}

// The core's failures reach the desktop in Japanese: the kind's message and the reason, with
// the file's path, and none of the English the command-line tool prints. A failure with no
// reason shows only its kind.
TEST(ErrorMessages, CoreFailuresAreSaidInJapaneseWithTheirReasons)
{
    const test::TempFolder temp;
    // Permissions do not bind the superuser; sysfs takes no new files even so.
    std::filesystem::path folder = "/sys";
    if (geteuid() != 0) {
        folder = temp / "locked";
        std::filesystem::create_directory(folder);
        chmod(folder.c_str(), 0555);
    }
    const std::filesystem::path target = folder / "song.zlvm";
    const std::uint8_t bytes[] = {1, 2, 3};
    try {
        WriteFileAtomically(target, bytes);
        ADD_FAILURE() << "a file was written in " << folder;
    } catch (const FileIoError& error) {
        const ErrorText text = DescribeError(error);
        const QString path = QString::fromStdString(target.string());
        EXPECT_EQ(text.message, LoadQString(IDS_ERROR_FILE_ACCESS));
        EXPECT_TRUE(text.detail.startsWith(
            QLatin1Char('"') + path
            + QStringLiteral("\" と同じフォルダーにファイルを作成できません (")))
            << text.detail.toStdString();
        EXPECT_FALSE(test::HasEnglish(text.detail, path)) << text.detail.toStdString();
    }
    chmod(folder.c_str(), 0755);

    // An edit beyond the chart's limits says which note and which limit.
    CStepDocument document;
    document.NewDocument();
    const std::int32_t maxClock = MaxChartClock(document.tempoMap().songBpm());
    CAddNoteCommand add(document.scores().current(), "add");
    try {
        add.AddNote(test::MakeNote(maxClock + 1, 0));
        ADD_FAILURE() << "a note after the chart's limit was added";
    } catch (const ChartLimitError& error) {
        const ErrorText text = DescribeError(error);
        EXPECT_EQ(text.message, LoadQString(IDS_ERROR_CHART_LIMIT));
        EXPECT_EQ(text.detail,
                  QStringLiteral("位置 %1 のノートが譜面の上限 (120 BPMで2時間、位置 %2)"
                                 "より後にあります。")
                      .arg(maxClock + 1)
                      .arg(maxClock));
    }

    EXPECT_EQ(DescribeError(FileFormatError("the bytes are wrong")).detail, QString());
    EXPECT_EQ(DescribeError(std::runtime_error("oops")).detail, QString());
}

} // namespace
} // namespace zelvane
