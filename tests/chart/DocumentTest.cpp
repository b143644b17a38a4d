#include "ChartTestSupport.h"
#include "TestData.h"
#include "chart/StoredPath.h"
#include "chart/ViewState.h"
#include "chart/ZlvmFile.h"
#include "motion/MotionDocument.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <new>
#include <tuple>

using namespace zelvane;
using namespace zelvane::test;

namespace {

class FakeAudio : public IAudioMeasurer {
public:
    AudioMeasurement Measure(const std::filesystem::path& path) override
    {
        if (path.extension() == ".bad")
            return {false, 0,
                    Reason(IDS_REASON_AUDIO_NO_STREAMS, {path},
                           "Invalid data found when processing input")};
        if (path.extension() == ".huge")
            throw std::bad_alloc();
        return {true, 10000, {}};
    }
};

class ScriptedHost : public IDocumentHost {
public:
    MissingFileAnswer AnswerMissingFile(const MissingFileRequest& request) override
    {
        requests.push_back(request);
        if (answers.empty())
            return {MissingFileAnswer::Action::Ignore, ""};
        MissingFileAnswer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    ColorSettings ReadColorSettings() override { return colors; }
    void DocumentCleared() override { ++cleared; }

    int cleared = 0;
    std::vector<MissingFileAnswer> answers;
    std::vector<MissingFileRequest> requests;
    ColorSettings colors{0x123456, 0x654321};
};

} // namespace

// A new document starts from the defaults even after another; a tempo must be a finite
// number above zero.
TEST(StepDocument, NewDocumentStartsFromTheDefaultsAndTakesOnlyATempoAboveZero)
{
    ScriptedHost host;
    CStepDocument document({&host});
    document.NewDocument();
    document.SetDescription({"old", "someone", 300});
    document.SetBpm(150.0f);
    document.SetMotionOptions({20.0f, false, true});
    document.scores().FindOrCreate(Style::COUPLE, "MANIAC");
    host.cleared = 0;
    document.NewDocument();

    ASSERT_EQ(document.scores().size(), 1u);
    const CScore& score = *document.scores()[0];
    EXPECT_EQ(document.scores().current(), &score);
    EXPECT_EQ(std::tuple(score.style(), score.difficulty()), std::tuple(Style::SINGLE, "BASIC"));
    EXPECT_TRUE(score.notes().empty());
    EXPECT_EQ(std::tuple(document.description().title, document.description().artist,
                         document.tempoMap().songBpm(), document.description().gap,
                         document.motionOptions().twist, document.motionOptions().turnEnabled,
                         document.motionOptions().panelSize),
              std::tuple(std::string(), std::string(), 120.0f, 0, true, false, 12.0f));
    EXPECT_FALSE(document.IsModified());
    // The views are told to start over once, before the new contents reach them.
    EXPECT_EQ(host.cleared, 1);
    EXPECT_EQ(document.colors().screen, 0x654321u); // from the settings

    for (float bad : {0.0f, -1.0f, std::numeric_limits<float>::infinity(),
                      std::numeric_limits<float>::quiet_NaN()})
        EXPECT_THROW(document.SetBpm(bad), InvalidArgumentError);
    EXPECT_EQ(document.tempoMap().songBpm(), 120.0f);
}

// A new document starts the views' zoom over at its top and the time at 0 (the zoom's ends
// are the score view's suite's). Hints reach only the views still added.
TEST(StepDocument, StartingOverResetsTheZoomAndHintsReachTheViewsStillAdded)
{
    CViewState state;
    ASSERT_TRUE(state.ZoomIn() && state.ZoomIn());
    state.SetCurrentTime(96);
    state.SetPlaying(true);
    state.StartOver();
    EXPECT_EQ(std::tuple(state.zoomIndex(), state.currentTime(), state.playing()),
              std::tuple(7, 0, true));

    CStepDocument document;
    RecordingView view, removed;
    document.AddView(&removed);
    document.AddView(&view);
    document.RemoveView(&removed);
    document.UpdateAllViews(nullptr, UpdateHint::Zoom);
    ASSERT_EQ(view.updates.size(), 1u);
    EXPECT_EQ(view.updates.back().hint, UpdateHint::Zoom);
    EXPECT_TRUE(removed.updates.empty());
}

TEST(StepDocument, SetAudioMeasuresTheSongAndAsksAboutMissingFiles)
{
    TempFolder folder;
    const std::string song = folder.Write("song.wav", "x").string();
    const std::string noise = folder.Write("noise.bad", "x").string();
    ScriptedHost host;
    FakeAudio audio;
    CStepDocument document({&host, &audio});
    document.NewDocument();

    document.SetAudio(song);
    EXPECT_EQ(document.audio().lengthMs, 10000);
    EXPECT_TRUE(host.requests.empty());
    // The lengths follow at the next recomputation.
    document.scores().UpdateAll();
    EXPECT_EQ(document.scores().current()->length(), 960);

    // Missing: the host browses to the song, which then loads.
    host.answers = {{MissingFileAnswer::Action::Retry, song}};
    document.SetAudio((folder / "gone.mp3").string());
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].message, "\"gone.mp3\"というファイルはありません。");
    EXPECT_EQ(document.audio().path, song);
    EXPECT_EQ(document.audio().lengthMs, 10000);

    // Undecodable: the reason reaches the host in Japanese, without FFmpeg's English words;
    // ignoring forgets the path.
    host.requests.clear();
    document.SetAudio(noise);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].message, "\"" + noise + "\" は音声として読めないファイルです。");
    EXPECT_EQ(document.audio().path, "");

    // A measurer that fails outright is a song that cannot be decoded, not a failed document.
    host.requests.clear();
    const std::string huge = folder.Write("song.huge", "x").string();
    document.SetAudio(huge);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_NE(host.requests[0].message.find(huge), std::string::npos);
    EXPECT_EQ(document.audio().lengthMs, 0);

    // Keeping: the path stays for later, with no length.
    host.answers = {{MissingFileAnswer::Action::Keep, ""}};
    document.SetAudio("/nowhere/song.mp3");
    EXPECT_EQ(document.audio().path, "/nowhere/song.mp3");
    EXPECT_EQ(document.audio().lengthMs, 0);
}

// A measurer that decodes beside the document answers at once that the length will follow;
// the length is then taken for the song the document still has, and only for it.
TEST(StepDocument, ASongMeasuredLaterGivesTheScoresTheirLengthOnlyWhileItIsTheSong)
{
    struct Pending : IAudioMeasurer {
        AudioMeasurement Measure(const std::filesystem::path& path) override
        {
            asked.push_back(path.string());
            AudioMeasurement later;
            later.pending = true;
            return later;
        }
        std::vector<std::string> asked;
    };
    TempFolder folder;
    const std::string song = folder.Write("song.wav", "x").string();
    const std::string other = folder.Write("other.wav", "x").string();
    ScriptedHost host;
    Pending audio;
    CStepDocument document({&host, &audio});
    document.SetDancing({.dancesCharts = false});
    document.NewDocument();
    RecordingView view;
    document.AddView(&view);

    document.SetAudio(song);
    EXPECT_EQ(audio.asked, std::vector<std::string>{song});
    EXPECT_TRUE(host.requests.empty()) << "nothing to ask while the song decodes";
    EXPECT_EQ(document.audio().path, song);
    EXPECT_EQ(document.audio().lengthMs, 0);
    EXPECT_EQ(document.scores().current()->length(), 0);

    EXPECT_FALSE(document.SongMeasured(other, 5000));
    EXPECT_FALSE(document.SongMeasured("", 5000));
    EXPECT_EQ(document.audio().lengthMs, 0);
    EXPECT_TRUE(view.updates.empty());

    // 10 s at 120 BPM: 20 beats of 48 clocks, the same as a length measured at once.
    EXPECT_TRUE(document.SongMeasured(song, 10000));
    EXPECT_EQ(document.audio().lengthMs, 10000);
    EXPECT_EQ(document.scores().current()->length(), 960);
    ASSERT_EQ(view.updates.size(), 1u);
    EXPECT_EQ(view.updates[0].hint, UpdateHint::Song);
    EXPECT_FALSE(document.IsModified()) << "a measured length is no edit";

    document.SetAudio(other);
    EXPECT_EQ(document.audio().lengthMs, 0) << "the old song's length went with it";
    EXPECT_FALSE(document.SongMeasured(song, 10000));
    EXPECT_EQ(document.audio().lengthMs, 0);
    document.RemoveView(&view);
}

// Loading takes the files by their paths and tells the views; only the step after it asks
// about the files that are missing, with the views already showing the whole document, and
// tells them of the model at its end. (Opening, both steps, is the main window's suite's.)
TEST(StepDocument, MissingFilesAreAskedAboutAfterTheLoadInAStepOfTheirOwn)
{
    struct AskingHost : ScriptedHost {
        MissingFileAnswer AnswerMissingFile(const MissingFileRequest& request) override
        {
            const bool told = !view->updates.empty()
                && view->updates.back().hint == UpdateHint::CurrentScore
                && view->updates.back().score == document->scores().current();
            toldBeforeAsking.push_back(told);
            return ScriptedHost::AnswerMissingFile(request);
        }
        RecordingView* view = nullptr;
        CStepDocument* document = nullptr;
        std::vector<bool> toldBeforeAsking;
    };
    TempFolder folder;
    ZlvmDocumentData data;
    data.bpm = 150.0f;
    data.audioPath = "gone.mp3";
    data.modelPath = "gone.pmd";
    data.scores.push_back({Style::SINGLE, "BASIC", {CNote{0, 1, 0}}});
    const auto path = folder / "song.zlvm";

    AskingHost host;
    FakeAudio audio;
    CStepDocument document({&host, &audio});
    document.SetDancing({.dancesCharts = false});
    document.NewDocument();
    RecordingView view;
    host.view = &view;
    host.document = &document;
    document.AddView(&view);

    document.SetPathName(path);
    document.Load(data);
    EXPECT_TRUE(host.requests.empty()) << "a load asks nothing";
    EXPECT_EQ(document.audio().path, ResolveStoredPath(path, "gone.mp3"));
    EXPECT_EQ(document.model().path, ResolveStoredPath(path, "gone.pmd"));
    EXPECT_EQ(document.tempoMap().songBpm(), 150.0f);
    ASSERT_EQ(view.updates.size(), 1u);
    EXPECT_EQ(view.updates[0].hint, UpdateHint::CurrentScore);

    host.answers = {{MissingFileAnswer::Action::Keep, ""}, {MissingFileAnswer::Action::Keep, ""}};
    document.AttachFiles();
    ASSERT_EQ(host.requests.size(), 2u);
    EXPECT_EQ(host.requests[0].filterId, std::uint32_t{IDS_FILTER_AUDIO});
    EXPECT_EQ(host.requests[1].filterId, std::uint32_t{IDS_FILTER_MODEL});
    EXPECT_EQ(host.toldBeforeAsking, (std::vector<bool>{true, true}));
    EXPECT_EQ(view.updates.back().hint, UpdateHint::Model);
    document.RemoveView(&view);
}

// Named by a document, a missing or unreadable model is asked about or left out with the
// reason; chosen by the user, a file that is no model is refused and the dancer stays.
TEST(StepDocument, ModelsAreMeasuredAskedForOrRefused)
{
    ScriptedHost host;
    CStepDocument document({&host});
    document.NewDocument();
    document.SetMotionOptions({30.0f, true, false});
    document.SetModel("/nowhere/model.pmd");
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].directoryKey, "ModelDirectory");
    EXPECT_EQ(document.model().path, "");
    EXPECT_EQ(document.motionOptions().panelSize, 12.0f);
    // A device that never ends counts as missing rather than being read.
    document.SetModel("/dev/zero");
    ASSERT_EQ(host.requests.size(), 2u);
    EXPECT_EQ(host.requests[1].path, "/dev/zero");
    EXPECT_EQ(document.model().document.get(), nullptr);

    // Loading a model replaces a panel size typed into the options.
    const auto mannequin = ProjectFile("resources/mannequin/mannequin.pmd");
    document.SetMotionOptions({30.0f, true, false});
    document.SetModel(mannequin.string());
    ASSERT_NE(document.model().document.get(), nullptr);
    EXPECT_EQ(MotionModelName(document.model()), document.model().document->name);
    EXPECT_EQ(document.motionOptions().panelSize,
              MeasureModel(document.model().document.get()).panelSize);
    EXPECT_NE(document.motionOptions().panelSize, 30.0f);

    TempFolder folder;
    const auto junk = folder.Write("not-a-model.pmd", "this is not a model");
    const CModelDocument* dancer = document.model().document.get();
    EXPECT_THROW(document.ChangeModel(junk.string()), FileFormatError);
    EXPECT_EQ(document.model().document.get(), dancer);
    EXPECT_EQ(document.model().path, mannequin.string());
    document.SetModel(junk.string());
    EXPECT_EQ(document.model().document.get(), nullptr);
    EXPECT_FALSE(document.model().loadError.empty());
    EXPECT_EQ(document.motionOptions().panelSize, 12.0f);
}

// Models and motions are read whole: one larger than any of its kind is refused by its
// size, unread, with its name. The sparse files take no disk; read, each would take 64 GB.
TEST(StepDocument, ModelsAndMotionsBeyondTheirKindsSizeAreRefusedUnread)
{
    TempFolder folder;
    const auto huge = [&folder](const std::string& name) {
        std::ofstream(folder / name).close();
        std::filesystem::resize_file(folder / name, std::uintmax_t{64} << 30);
        return folder / name;
    };
    const auto saysTooLarge = [](const std::function<void()>& read, const std::string& name) {
        try {
            read();
            ADD_FAILURE() << name << " was read";
        } catch (const FileIoError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(name), std::string::npos) << message;
            EXPECT_NE(message.find("too large"), std::string::npos) << message;
        }
    };
    CStepDocument document;
    const auto model = huge("huge.pmd");
    saysTooLarge([&] { document.ChangeModel(model.string()); }, "huge.pmd");
    EXPECT_EQ(document.model().path, "");
    const auto motion = huge("huge.vmd");
    CMotionDocument dance;
    saysTooLarge([&] { dance.Load(motion); }, "huge.vmd");
}

// A relative path is taken from the document's folder; one that leads nowhere is looked for
// by its name beside the document; what is there, or cannot be found, stays as stored.
TEST(StoredPath, PathsResolveFromTheDocumentsFolderOrByNameBesideIt)
{
    TempFolder folder;
    const std::filesystem::path document = folder / "chart.zlvm";
    const std::string beside = folder.Write("beat.wav", "x").string();
    const std::string existing = folder.Write("songs/tune.mp3", "x").string();
    const std::pair<const char*, std::string> cases[] = {
        {"songs/tune.mp3", existing},
        {"./beat.wav", beside},
        {"/elsewhere/beat.wav", beside},
        {"C:\\Songs\\beat.wav", beside},
        {"..\\beat.wav", beside},
        {"/elsewhere/gone.wav", "/elsewhere/gone.wav"},
        {"C:\\gone.wav", "C:\\gone.wav"},
        {"", ""},
        {"/elsewhere/songs", "/elsewhere/songs"}, // a folder of that name is not the file
        {existing.c_str(), existing},
    };
    for (const auto& [stored, resolved] : cases)
        EXPECT_EQ(ResolveStoredPath(document, stored), resolved) << stored;
    // A document not read from a file has no folder to look in.
    EXPECT_EQ(ResolveStoredPath({}, "beat.wav"), "beat.wav");
}
