// PMX models against PMD: reading the shared test model converted to PMX against reading it
// as PMD, and posing the PMX model for one frame with its two-bone vertices blended linearly
// (BDEF2) and spherically (SDEF, centred between the two bones' heads).
#include "../tests/model/PmxFromModel.h"
#include "../tests/model/PmxTestWriter.h"
#include "SharedMeiFiles.h"
#include "model/ModelInstance.h"
#include "model/ModelLoader.h"
#include "model/PmdReader.h"
#include "motion/MotionDocument.h"
#include "text/FileIo.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

using namespace zelvane;
using namespace zelvane::bench;

PmxFile MeiAsPmx(bool sdef)
{
    const auto pmd = LoadModelDocument(kModelPath);
    PmxFile file = test::PmxFromModel(*pmd);
    if (!sdef)
        return file;
    for (PmxVertex& vertex : file.vertices) {
        if (vertex.weightType != PmxWeightType::Bdef2)
            continue;
        vertex.weightType = PmxWeightType::Sdef;
        const Vector3 a = file.bones[static_cast<std::size_t>(vertex.bones[0])].position;
        const Vector3 b = file.bones[static_cast<std::size_t>(vertex.bones[1])].position;
        vertex.sdefC = (a + b) * 0.5f;
        vertex.sdefR0 = vertex.sdefC;
        vertex.sdefR1 = vertex.sdefC;
    }
    return file;
}

void BM_ReadPmd(benchmark::State& state)
{
    if (!HaveSharedFiles(state))
        return;
    const std::vector<std::uint8_t> bytes = ReadWholeFile(kModelPath, kMaxModelFileBytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadModelFile(bytes, "/m/"));
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ReadPmd)->Unit(benchmark::kMillisecond);

void BM_ReadPmx(benchmark::State& state)
{
    if (!HaveSharedFiles(state))
        return;
    const std::vector<std::uint8_t> bytes = test::PmxTestWriter(MeiAsPmx(false)).Write();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadModelFile(bytes, "/m/"));
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ReadPmx)->Unit(benchmark::kMillisecond);

// One frame of the greeting: sampling, bones with IK, skinning.
void PosePmx(benchmark::State& state, bool sdef)
{
    if (!HaveSharedFiles(state))
        return;
    const auto model = ReadModelFile(test::PmxTestWriter(MeiAsPmx(sdef)).Write(), "/m/");
    CModelInstance instance(*model);
    CMotionDocument motion;
    motion.Load(kMotionPath);
    std::int32_t frame = 0;
    for (auto _ : state) {
        instance.SampleBones([&](int nameID) -> BonePose {
            const CBoneFrameSequence* sequence = motion.boneSequences.Find(nameID);
            return sequence ? sequence->Sample(frame) : BonePose{};
        });
        instance.Update();
        frame = (frame + 1) % 200;
        benchmark::DoNotOptimize(instance.skinnedVertices.stream().data());
    }
}

void BM_PosePmxBdef2(benchmark::State& state)
{
    PosePmx(state, false);
}
BENCHMARK(BM_PosePmxBdef2)->Unit(benchmark::kMicrosecond);

void BM_PosePmxSdef(benchmark::State& state)
{
    PosePmx(state, true);
}
BENCHMARK(BM_PosePmxSdef)->Unit(benchmark::kMicrosecond);

} // namespace
