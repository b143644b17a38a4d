#include "ChartTestSupport.h"
#include "chart/commands/AddNoteCommand.h"
#include "chart/commands/DeleteClockCommand.h"
#include "chart/commands/DeleteNoteCommand.h"
#include "chart/commands/InsertClockCommand.h"
#include "chart/commands/MoveNoteCommand.h"
#include "motion/MotionDocument.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/resource.h>
#include <unistd.h>

using namespace zelvane;
using namespace zelvane::test;

namespace {

constexpr int kCenter = 500;
constexpr int kLeftFootIk = 507;

// A new document whose scores dance eighth notes round the pad, a freeze now and then.
class Player : public ::testing::Test {
protected:
    void SetUp() override { document.NewDocument(); }
    CScore& Filled(std::int32_t measures, Style style = Style::SINGLE)
    {
        CScore& score = *document.scores().FindOrCreate(style, "BASIC");
        for (std::int32_t i = 0; i < measures * 8; ++i)
            score.InsertNote(
                MakeNote(i * 24, (i * 3 + i / 5) % score.panelCount(), i % 9 == 0 ? 36 : 0));
        score.UpdateLength(0);
        return score;
    }
    // Why a dance failed, as the document reports it; set before anything dances.
    std::function<void(const Reason&)> onWorkerFailure;
    CStepDocument document{{nullptr, nullptr, [this](const Reason& reason) {
                                if (onWorkerFailure)
                                    onWorkerFailure(reason);
                            }}};
};

} // namespace

// An edit restarts the worker from the edited clock and hands it only the notes it may have
// changed, also while a view samples (this test runs under ThreadSanitizer too): after each
// kind of edit the dance must be the one a fresh document with the same notes makes from
// scratch.
TEST_F(Player, EditsGiveTheSameDanceAsAFullRun)
{
    for (const Style style : {Style::DOUBLE, Style::COUPLE}) {
        SCOPED_TRACE(StyleName(style));
        CScore& score = Filled(16, style);
        auto add = std::make_unique<CAddNoteCommand>(&score, "追加");
        add->AddNote(MakeNote(1000, 6));
        add->AddNote(MakeNote(1010, 1, 60));
        document.Execute(std::move(add), nullptr);
        auto remove = std::make_unique<CDeleteNoteCommand>(&score, "削除");
        remove->AddNote(score.notes()[40].get());
        document.Execute(std::move(remove), nullptr);
        document.Undo();
        document.Redo();
        ExpectDancesOfAFullRun({&score}, "add, delete, undo, redo");

        // A freeze moved later sorts before notes it does not reach: the order of the notes
        // changes before the edited clocks.
        auto move = std::make_unique<CMoveNoteCommand>(&score, "移動");
        move->AddMove(score.notes()[60].get(), 1200, 2, 900);
        document.Execute(std::move(move), nullptr);
        ExpectDancesOfAFullRun({&score}, "move");
        // Rows inserted and deleted change the clocks of the notes after them in place.
        document.Execute(std::make_unique<CInsertClockCommand>(&score, "挿入", 600, 48), nullptr);
        ExpectDancesOfAFullRun({&score}, "insert rows");
        document.Execute(std::make_unique<CDeleteClockCommand>(&score, "削除", 300, 96), nullptr);
        ExpectDancesOfAFullRun({&score}, "delete rows");
        document.Undo();
        document.Undo();
        ExpectDancesOfAFullRun({&score}, "undo of both");

        for (int i = 0; i < 40; ++i) {
            auto late = std::make_unique<CAddNoteCommand>(&score, "追加");
            late->AddNote(MakeNote(3000 - i * 60, i % 8));
            document.Execute(std::move(late), nullptr);
            for (const auto& player : score.players())
                player->GetBonePose(i % 2 ? kCenter : kLeftFootIk, i * 7);
        }
        ExpectDancesOfAFullRun({&score}, "edits while sampling");
    }
}

TEST_F(Player, TheExportShiftsByTheGapKeysEveryBoneAtFrameZeroAndIsWritten)
{
    CScore& score = Filled(2);
    CPlayer& player = *score.players()[0];
    document.SetDescription({document.description().title, document.description().artist,
                             1000}); // 30 frames later in the song
    score.UpdateLength(0);
    const CMotionDocument later = player.MakeMotion(MotionModelName(document.model()));
    EXPECT_EQ(later.modelName, LoadString(IDS_DEFAULT_MODEL_NAME));
    for (const auto& [nameID, sequence] : later.boneSequences) {
        ASSERT_FALSE(sequence->empty());
        EXPECT_EQ(sequence->keys().front().frame, 0) << nameID;
    }
    // The copy at frame 0 repeats the first moved key. (That the gap moves the keys to the
    // song's time the tempo dances land on time for.)
    const CBoneFrameSequence* center = later.boneSequences.Find(kCenter);
    ASSERT_TRUE(center);
    EXPECT_EQ(center->keys()[1].frame, 30); // the stance a beat before clock 0, moved
    EXPECT_EQ(center->keys()[0].translation, center->keys()[1].translation);

    // A negative gap drops the keys that would land before the song starts.
    document.SetDescription({document.description().title, document.description().artist, -2000});
    score.UpdateLength(0);
    const CMotionDocument earlier = player.MakeMotion("model");
    for (const auto& [nameID, sequence] : earlier.boneSequences)
        for (const CBoneFrame& key : sequence->keys())
            EXPECT_GE(key.frame, 0);
    EXPECT_LT(earlier.BoneKeyCount(), later.BoneKeyCount());

    TempFolder folder;
    const auto path = folder / "player-motion.vmd";
    player.WriteMotion(path, "ダンサー");
    CMotionDocument read;
    read.Load(path);
    EXPECT_EQ(read.modelName, "ダンサー");
    EXPECT_EQ(read.BoneKeyCount(), earlier.BoneKeyCount());
    EXPECT_EQ(score.ProposedMotionPath(0), path.string());
}

TEST_F(Player, ADocumentReadOnlyToBeShownDancesNothingUntilAsked)
{
    document.SetDancing({.dancesCharts = false});
    CScore& score = Filled(2);
    CPlayer& player = *score.players()[0];
    EXPECT_EQ(player.MakeMotion("x").BoneKeyCount(), 0u);
    // Turned on, a score dances from its next change, as every score always did.
    document.SetDancing({true, document.dancing().feet});
    score.UpdateLength(0);
    EXPECT_GT(player.MakeMotion("x").BoneKeyCount(), 0u);
}

// A dance that fails is reported through the document, naming the chart, and the export
// refuses; the next edit dances again. Releasing the views that wait for a frame is the
// worker's suite's to check.
TEST_F(Player, ADanceThatFailsIsReportedRefusesTheExportAndDancesAgainAfterAnEdit)
{
    std::mutex reportLock;
    std::vector<std::string> reports;
    onWorkerFailure = [&](const Reason& reason) {
        std::lock_guard lock(reportLock);
        reports.push_back(EnglishText(reason));
    };
    CScore& score = *document.scores().current();
    // Past every reader and command: the worker is the last to see such a chart.
    score.InsertNote(MakeNote(48, 1));
    score.AppendNote(MakeNote(2'000'000'000, 0));
    score.UpdateLength(0);
    CPlayer& player = *score.players()[0];
    player.WaitWorker();
    EXPECT_NE(player.failure().find("SINGLE BASIC"), std::string::npos) << player.failure();
    EXPECT_THROW(player.MakeMotion("x"), WorkerFailedError);
    {
        std::lock_guard lock(reportLock);
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0], player.failure());
    }

    auto remove = std::make_unique<CDeleteNoteCommand>(&score, "削除");
    remove->AddNote(score.notes()[1].get());
    document.Execute(std::move(remove), nullptr);
    EXPECT_GT(player.MakeMotion("x").BoneKeyCount(), 0u);
    std::lock_guard lock(reportLock);
    EXPECT_EQ(reports.size(), 1u);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
namespace {

// Starts a dance in an address space with no room left for a thread's stack; 0 when the
// player then says the dance could not be started instead of leaving its waiters waiting.
int DanceWithoutRoomForAThread()
{
    CStepDocument document;
    document.NewDocument();
    CScore& score = *document.scores().current();
    score.InsertNote(MakeNote(0, 0));
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t room = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (1 << 20);
    const rlimit limit{room, room};
    setrlimit(RLIMIT_AS, &limit);
    score.UpdateLength(0);
    CPlayer& player = *score.players()[0];
    player.GetBonePose(kCenter, 30);
    return player.failure().find("could not be started") != std::string::npos ? 0 : 1;
}

} // namespace

// When no thread can be started the dance fails at once and says why. Run in a child
// process (the sanitizers need address space of their own).
TEST(PlayerDeathTest, AWorkerThatCannotStartLeavesNobodyWaiting)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::_Exit(DanceWithoutRoomForAThread()), ::testing::ExitedWithCode(0), "");
}
#endif
