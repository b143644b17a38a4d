#include "app/AppTestSupport.h"
#include "app/ErrorDialog.h"
#include "app/FileNotFoundDialog.h"
#include "app/StepManiaImport.h"
#include "chart/ChartTestSupport.h"
#include "stepmania/SmImport.h"
#include "text/StringTable.h"

#include <QPlainTextEdit>

namespace zelvane {
namespace {

using AppStepMania = test::FrameTest;

// Beat 4 slows to 60 BPM; the mine beside the last step does not dance and is left out.
constexpr char kSong[] = "#TITLE:Sm Song;\n#ARTIST:Me;\n#MUSIC:missing.ogg;\n#OFFSET:0;\n"
                         "#BPMS:0=120,4=60;\n"
                         "#NOTES:dance-single::Hard:5:0,0,0,0,0:\n"
                         "1000\n0100\n0010\n0001\n,\nM001\n0000\n0000\n0000\n;\n";

// Answers the next question whether the charts may go with OK, noting its text.
std::shared_ptr<bool> ConfirmReplace(QString* question = nullptr)
{
    return test::AnswerMessage(QStringLiteral("OK"), question);
}

// Answers the next chart list, noting its lines.
std::shared_ptr<bool> ReadChartList(QString* lines)
{
    return test::Prompts().Answer<CErrorDialog>([lines](CErrorDialog& dialog) {
        *lines = dialog.errorList()->toPlainText();
        dialog.accept();
    });
}

// Through the import command: its dialog offers every chart kind at once, then each on its
// own. The charts replace the notes there were after the question, the song the file names
// is asked for as any missing song is, and what was left out is listed in Japanese.
TEST_F(AppStepMania, AStepManiaChartIsImportedAfterTheQuestionAndListsWhatItLeftOut)
{
    AddNotes({{0, 2, 0}});
    const QString song = Path(QStringLiteral("song.sm"));
    test::WriteBytes(song, QByteArray(kSong));

    QStringList filters;
    auto chosen = test::Prompts().Answer<QFileDialog>(
        [&filters](QFileDialog& dialog) { filters = dialog.nameFilters(); }, song);
    QString question;
    auto asked = ConfirmReplace(&question);
    auto missing = test::Prompts().Answer<CFileNotFoundDialog>(
        [](CFileNotFoundDialog& dialog) { dialog.ignoreButton()->click(); });
    QString listed;
    auto list = ReadChartList(&listed);
    frame->action(ID_FILE_IMPORT_DWI)->trigger();
    EXPECT_TRUE(*chosen);
    ASSERT_EQ(filters.size(), 5);
    EXPECT_EQ(filters[0], QStringLiteral("譜面ファイル(*.dwi *.sm *.ssc)"));
    EXPECT_EQ(filters.mid(1, 3),
              (QStringList{QStringLiteral("DWIファイル(*.dwi)"), QStringLiteral("SMファイル(*.sm)"),
                           QStringLiteral("SSCファイル(*.ssc)")}));
    EXPECT_TRUE(*asked);
    EXPECT_EQ(question, QStringLiteral("現在の譜面は消去されます。"));
    EXPECT_TRUE(*missing);
    ASSERT_TRUE(*list);
    EXPECT_EQ(
        listed,
        ToQString(JapaneseText(Reason(IDS_REASON_SM_NOTES_LEFT_OUT, {"SINGLE", "MANIAC", 1}))));

    const CStepDocument& document = frame->document();
    EXPECT_EQ(document.description().title, "Sm Song");
    EXPECT_EQ(document.audio().path, "");
    ASSERT_EQ(document.scores().size(), 1u);
    EXPECT_EQ(document.scores()[0]->difficulty(), "MANIAC");
    EXPECT_EQ(test::NotesOf(*document.scores()[0]),
              (std::vector<CNote>{{0, 0, 0}, {48, 1, 0}, {96, 2, 0}, {144, 3, 0}, {192, 3, 0}}));
    EXPECT_EQ(document.tempoMap().events(),
              (std::vector<CTempoEvent>{CTempoChange{0, 120.0f}, CTempoChange{192, 60.0f}}));
    EXPECT_EQ(test::ShownTitle(*frame), QStringLiteral("song* - Zelvane"));
}

// A list of warnings keeps its first hundred and counts the rest on a line of its own.
TEST(StepManiaWarnings, TheWarningsBeyondTheListAreCounted)
{
    SmWarnings warnings;
    for (int i = 0; i < 103; ++i)
        warnings.Add(Reason(IDS_REASON_SM_OTHER_TYPES, {"pump-single"}));
    const QStringList lines = ToQString(FormatSmWarnings(warnings)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 101);
    EXPECT_EQ(lines[0], ToQString(JapaneseText(warnings.listed[0])));
    EXPECT_EQ(lines[100], QStringLiteral("…ほか3件"));
}

// A file the StepMania reader refuses (its extension in any case) is said once, in Japanese,
// before any question: the document keeps its charts, title and history.
TEST_F(AppStepMania, ARefusedStepManiaFileChangesNothing)
{
    AddNotes({{0, 1, 0}, {48, 2, 0}});
    test::Retitle(frame->document(), "Kept");
    const std::vector<CNote> notes = test::NotesOf(*frame->document().scores().current());
    const QString plain = Path(QStringLiteral("Plain.SM"));
    test::WriteBytes(plain, QByteArray("just words, no tag at all\n"));

    QString text;
    QString detail;
    auto shown = test::AnswerMessage({}, &text, &detail); // a second box fails the test
    EXPECT_FALSE(frame->OpenFile(plain));
    EXPECT_TRUE(*shown);
    EXPECT_EQ(text,
              ToQString(FormatString(IDS_CANNOT_READ, {plain.toStdString()})) + u'\n'
                  + LoadQString(IDS_ERROR_FILE_FORMAT));
    EXPECT_EQ(detail,
              ToQString(JapaneseText(
                  Reason(IDS_REASON_IMPORT_REFUSED, {"Plain.SM", Reason(IDS_REASON_SM_NO_TAG)}))));
    EXPECT_EQ(frame->document().description().title, "Kept");
    EXPECT_EQ(test::NotesOf(*frame->document().scores().current()), notes);
    EXPECT_TRUE(frame->document().CanUndo());
}

// The export writes the kind its name says; a bare name takes the kind chosen in the dialog.
// An .ssc holds the whole tempo map; an .sm or a .dwi leaves the warps out and says so once
// after writing the rest. Read back, each gives the notes that were written.
TEST_F(AppStepMania, ChartsAreExportedByKindAndReadBackWithTheSameNotes)
{
    const std::vector<CNote> notes{{0, 0, 0}, {48, 1, 96}, {144, 2, 0}, {336, 3, 0}};
    AddNotes(notes);
    CTempoMap map(120.0f);
    ASSERT_TRUE(
        map.Add(std::vector<CTempoEvent>{CTempoChange{48, 60.0f}, CWarp{240, 24}, CWarp{300, 1}})
            .empty());
    frame->document().SetTempoMap(map);

    // The file exists only if the dialog offered the kind chosen.
    auto chosen = test::Prompts().Answer<QFileDialog>(
        [](QFileDialog& dialog) { dialog.selectNameFilter(QStringLiteral("SSCファイル(*.ssc)")); },
        Path(QStringLiteral("chart")));
    frame->action(ID_FILE_EXPORT_DWI)->trigger(); // no box: an .ssc holds warps
    EXPECT_TRUE(*chosen);
    const QString ssc = Path(QStringLiteral("chart.ssc"));
    ASSERT_TRUE(QFileInfo::exists(ssc));

    const QString sm = Path(QStringLiteral("chart.sm"));
    const QString dwi = Path(QStringLiteral("chart.dwi"));
    const std::pair<QString, QString> lossy[]
        = {{sm, ToQString(JapaneseText(Reason(IDS_REASON_SM_WARPS_LEFT_OUT)))},
           {dwi, ToQString(FormatString(IDS_DWI_EXPORT_LEFT_OUT, {"2", "0"}))}};
    for (const auto& [path, warning] : lossy) {
        chosen = test::Prompts().AnswerFile(path);
        QString warned;
        auto told = test::AnswerMessage({}, &warned);
        frame->action(ID_FILE_EXPORT_DWI)->trigger();
        EXPECT_TRUE(*chosen && *told) << path.toStdString();
        EXPECT_EQ(warned, warning);
    }
    QFile written(dwi);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray text = written.readAll();
    EXPECT_TRUE(text.contains("#GAP:0;\r\n#CHANGEBPM:4=60.000;\r\n#SINGLE:")) << text.toStdString();

    for (const QString& path : {ssc, sm, dwi}) {
        SCOPED_TRACE(path.toStdString());
        frame->document().SetTempoMap(CTempoMap(90.0f));
        auto asked = ConfirmReplace();
        ASSERT_TRUE(frame->OpenFile(path));
        EXPECT_TRUE(*asked);
        EXPECT_EQ(test::NotesOf(*frame->document().scores().current()), notes);
        EXPECT_EQ(frame->document().tempoMap().events().size(), path == ssc ? 4u : 2u);
    }
    EXPECT_EQ(frame->document().tempoMap().events(),
              (std::vector<CTempoEvent>{CTempoChange{0, 120.0f}, CTempoChange{48, 60.0f}}));
}

} // namespace
} // namespace zelvane
