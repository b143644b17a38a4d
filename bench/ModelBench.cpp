// The cost of a dancer in the preview: loading its PMD model, and posing it for one frame
// (sampling every bone, the hierarchy, IK and skinning), with the shared test model and a
// short greeting motion made for it. Pose times are also given per 10 000 vertices. IK alone
// is the hierarchy with IK less the hierarchy alone.
#include "SharedMeiFiles.h"
#include "model/ModelInstance.h"
#include "model/PmdReader.h"
#include "motion/MotionDocument.h"
#include "text/FileIo.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

using namespace zelvane;
using namespace zelvane::bench;

// The model, an instance of it and the motion, as the preview holds them.
struct Dancer {
    std::unique_ptr<CModelDocument> model = LoadModelDocument(kModelPath);
    CModelInstance instance{*model};
    CMotionDocument motion;
    std::int32_t lastFrame = 0;

    Dancer()
    {
        motion.Load(kMotionPath);
        for (const auto& entry : motion.boneSequences) {
            if (!entry.second->empty())
                lastFrame = std::max(lastFrame, entry.second->keys().back().frame);
        }
    }

    void Sample(std::int32_t frame)
    {
        instance.SampleBones([&](int nameID) -> BonePose {
            const CBoneFrameSequence* sequence = motion.boneSequences.Find(nameID);
            return sequence ? sequence->Sample(frame) : BonePose{};
        });
    }
};

void ReportPerVertices(benchmark::State& state, std::size_t vertices)
{
    using benchmark::Counter;
    state.counters["per_10k_vertices"]
        = Counter(static_cast<double>(vertices) / 10000.0,
                  Counter::kIsIterationInvariantRate | Counter::kInvert);
    state.counters["vertices"] = static_cast<double>(vertices);
}

void BM_LoadModel(benchmark::State& state)
{
    if (!HaveSharedFiles(state))
        return;
    for (auto _ : state) {
        auto model = LoadModelDocument(kModelPath);
        benchmark::DoNotOptimize(model->vertices.data());
    }
}
BENCHMARK(BM_LoadModel)->Unit(benchmark::kMicrosecond);

// From the file to a model that can be posed: read, checked and shown at rest.
void BM_LoadToPosable(benchmark::State& state)
{
    if (!HaveSharedFiles(state))
        return;
    for (auto _ : state) {
        auto model = LoadModelDocument(kModelPath);
        CModelInstance instance(*model);
        benchmark::DoNotOptimize(instance.skinnedVertices.stream().data());
    }
}
BENCHMARK(BM_LoadToPosable)->Unit(benchmark::kMicrosecond);

// The same without the file system: the bytes are already in memory.
void BM_ReadModel(benchmark::State& state)
{
    if (!HaveSharedFiles(state))
        return;
    const std::vector<std::uint8_t> bytes = ReadWholeFile(kModelPath, kMaxModelFileBytes);
    for (auto _ : state) {
        auto model = ReadModelDocument(bytes, "/models/");
        benchmark::DoNotOptimize(model->vertices.data());
    }
}
BENCHMARK(BM_ReadModel)->Unit(benchmark::kMicrosecond);

// One frame of the preview; the frames of the motion are visited in turn. With the outline
// mesh (the 3D view draws it) and without (the command-line tool and the tests need none).
void PoseFrames(benchmark::State& state, bool outlines)
{
    if (!HaveSharedFiles(state))
        return;
    Dancer dancer;
    dancer.instance.outlines = outlines;
    std::int32_t frame = 0;
    for (auto _ : state) {
        dancer.Sample(frame);
        dancer.instance.Update();
        benchmark::DoNotOptimize(dancer.instance.skinnedVertices.stream().data());
        frame = frame < dancer.lastFrame ? frame + 1 : 0;
    }
    ReportPerVertices(state, dancer.model->vertices.size());
}

void BM_PoseFrame(benchmark::State& state)
{
    PoseFrames(state, true);
}
BENCHMARK(BM_PoseFrame)->Unit(benchmark::kMicrosecond);

void BM_PoseFrameWithoutOutlines(benchmark::State& state)
{
    PoseFrames(state, false);
}
BENCHMARK(BM_PoseFrameWithoutOutlines)->Unit(benchmark::kMicrosecond);

// The parts of a frame, to see where its time goes.
void BM_PoseSampleBones(benchmark::State& state)
{
    if (!HaveSharedFiles(state))
        return;
    Dancer dancer;
    std::int32_t frame = 0;
    for (auto _ : state) {
        dancer.Sample(frame);
        benchmark::DoNotOptimize(dancer.instance.boneInstances.data());
        frame = frame < dancer.lastFrame ? frame + 1 : 0;
    }
}
BENCHMARK(BM_PoseSampleBones)->Unit(benchmark::kMicrosecond);

void BM_PoseHierarchy(benchmark::State& state)
{
    if (!HaveSharedFiles(state))
        return;
    Dancer dancer;
    dancer.Sample(dancer.lastFrame / 2);
    for (auto _ : state) {
        dancer.instance.UpdateBones();
        benchmark::DoNotOptimize(dancer.instance.boneInstances.data());
    }
}
BENCHMARK(BM_PoseHierarchy)->Unit(benchmark::kMicrosecond);

// How far the IK effectors (the feet and toes) end from their goals, averaged over every
// frame of the motion, and the worst frame.
void ReportGoalDistances(benchmark::State& state, Dancer& dancer)
{
    double sum = 0.0, worst = 0.0;
    std::size_t count = 0;
    for (std::int32_t frame = 0; frame <= dancer.lastFrame; ++frame) {
        dancer.Sample(frame);
        dancer.instance.UpdateBones();
        dancer.instance.SolveIK();
        const auto& bones = dancer.instance.boneInstances;
        for (const CModelIK& ik : dancer.model->iks) {
            const Vector3 from = bones[static_cast<std::size_t>(ik.effector)].WorldPosition();
            const Vector3 to = bones[static_cast<std::size_t>(ik.ikBone)].WorldPosition();
            const double distance = Length(from - to);
            sum += distance;
            worst = std::max(worst, distance);
            ++count;
        }
    }
    state.counters["goal_distance_mean"] = count ? sum / static_cast<double>(count) : 0.0;
    state.counters["goal_distance_worst"] = worst;
}

// Early-stopped chains solved side by side (what the program does), every iteration the
// model asks for, and the chains one after the other.
void HierarchyAndIK(benchmark::State& state, bool earlyStop, bool sideBySide = true)
{
    if (!HaveSharedFiles(state))
        return;
    Dancer dancer;
    dancer.instance.ikEarlyStop = earlyStop;
    dancer.instance.ikSideBySide = sideBySide;
    dancer.Sample(dancer.lastFrame / 2);
    for (auto _ : state) {
        dancer.instance.UpdateBones();
        dancer.instance.SolveIK();
        benchmark::DoNotOptimize(dancer.instance.boneInstances.data());
    }
    ReportGoalDistances(state, dancer);
}

void BM_PoseHierarchyAndIK(benchmark::State& state)
{
    HierarchyAndIK(state, true);
}
BENCHMARK(BM_PoseHierarchyAndIK)->Unit(benchmark::kMicrosecond);

void BM_PoseHierarchyAndFullIK(benchmark::State& state)
{
    HierarchyAndIK(state, false);
}
BENCHMARK(BM_PoseHierarchyAndFullIK)->Unit(benchmark::kMicrosecond);

void BM_PoseHierarchyAndIKOneChainAtATime(benchmark::State& state)
{
    HierarchyAndIK(state, true, false);
}
BENCHMARK(BM_PoseHierarchyAndIKOneChainAtATime)->Unit(benchmark::kMicrosecond);

enum class SkinPath { Lanes, LanesWithoutOutlines, Scalar };

void Skin(benchmark::State& state, SkinPath path)
{
    if (!HaveSharedFiles(state))
        return;
    Dancer dancer;
    dancer.Sample(dancer.lastFrame / 2);
    dancer.instance.UpdateBones();
    dancer.instance.SolveIK();
    dancer.instance.outlines = path != SkinPath::LanesWithoutOutlines;
    for (auto _ : state) {
        if (path == SkinPath::Scalar)
            dancer.instance.UpdateSkinScalar();
        else
            dancer.instance.UpdateSkin();
        benchmark::DoNotOptimize(dancer.instance.skinnedVertices.stream().data());
    }
    ReportPerVertices(state, dancer.model->vertices.size());
}

void BM_PoseSkin(benchmark::State& state)
{
    Skin(state, SkinPath::Lanes);
}
BENCHMARK(BM_PoseSkin)->Unit(benchmark::kMicrosecond);

void BM_PoseSkinWithoutOutlines(benchmark::State& state)
{
    Skin(state, SkinPath::LanesWithoutOutlines);
}
BENCHMARK(BM_PoseSkinWithoutOutlines)->Unit(benchmark::kMicrosecond);

// One vertex at a time, for comparison with the vector lanes.
void BM_PoseSkinScalar(benchmark::State& state)
{
    Skin(state, SkinPath::Scalar);
}
BENCHMARK(BM_PoseSkinScalar)->Unit(benchmark::kMicrosecond);

} // namespace
