// Writes the demo document: a short song's worth of charts in every style, with every step
// size and freezes of one to four panels, so a new user has something to open and dance.

#include "base/TimeUnits.h"
#include "chart/StepDocument.h"
#include "text/Errors.h"

#include <iostream>

namespace {

using namespace zelvane;

void Add(CScore& score, std::int32_t clock, std::int32_t panel, std::int32_t length = 0)
{
    score.InsertNote(std::make_unique<CNote>(CNote{clock, panel, length}));
}

// Eight measures: quarters, eighths, a triplet run, sixteenths, a jump, freezes and a
// 64th roll, laid over `firstPanel` .. `firstPanel` + 3 (the pattern is the same shape on
// every pad so the dancers can be compared).
void WritePattern(CScore& score, std::int32_t firstPanel, std::int32_t measureOffset)
{
    const std::int32_t base = measureOffset * kClocksPerMeasure;
    static constexpr std::int32_t kWalk[] = {0, 1, 3, 2};
    for (int beat = 0; beat < 4; ++beat)
        Add(score, base + beat * 48, firstPanel + kWalk[beat]);
    for (int step = 0; step < 8; ++step)
        Add(score, base + 192 + step * 24, firstPanel + kWalk[step % 4]);
    for (int step = 0; step < 12; ++step)
        Add(score, base + 384 + step * 16, firstPanel + (step % 2 == 0 ? 0 : 3));
    for (int step = 0; step < 16; ++step)
        Add(score, base + 576 + step * 12, firstPanel + kWalk[(step * 3) % 4]);
    Add(score, base + 768, firstPanel + 0);
    Add(score, base + 768, firstPanel + 3);
    Add(score, base + 816, firstPanel + 1, 96);
    Add(score, base + 960, firstPanel + 0, 48);
    Add(score, base + 960, firstPanel + 3, 48);
    for (int step = 0; step < 8; ++step)
        Add(score, base + 1152 + step * 3, firstPanel + kWalk[step % 4]);
    Add(score, base + 1248, firstPanel + 1, 96);
    Add(score, base + 1248, firstPanel + 2, 96);
    Add(score, base + 1248, firstPanel + 3, 96);
    for (int panel = 0; panel < 4; ++panel)
        Add(score, base + 1344, firstPanel + panel, 48);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 4) {
        std::cerr << "usage: MakeDemoChart OUT.zlvm [SONG.wav [MODEL.pmd]]\n";
        return 2;
    }
    try {
        CStepDocument document;
        document.NewDocument();
        document.SetDescription({"Zelvane Demo", "Zelvane", 0});
        document.SetBpm(140.0f);
        WritePattern(*document.scores().current(), 0, 0);
        WritePattern(*document.scores().FindOrCreate(Style::DOUBLE, "BASIC"), 0, 0);
        WritePattern(*document.scores().FindOrCreate(Style::DOUBLE, "BASIC"), 4, 8);
        CScore& couple = *document.scores().FindOrCreate(Style::COUPLE, "ANOTHER");
        WritePattern(couple, 0, 0);
        WritePattern(couple, 4, 0);
        // The song and the model are referred to where the build put them.
        if (argc > 2)
            document.SetAudio(argv[2]);
        if (argc > 3)
            document.SetModel(argv[3]);
        document.scores().UpdateAll();
        document.SaveDocument(argv[1]);
    } catch (const CoreError& error) {
        std::cerr << "MakeDemoChart: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
