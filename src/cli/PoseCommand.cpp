#include "chart/StepDocument.h"
#include "cli/CliChart.h"
#include "cli/Commands.h"
#include "cli/DocumentLoading.h"
#include "model/ModelInstance.h"
#include "model/NameIds.h"
#include "model/PmdReader.h"
#include "motion/MotionDocument.h"
#include "text/Errors.h"

#include <iostream>
#include <nlohmann/json.hpp>

namespace zelvane::cli {
namespace {

void PrintPose(const CModelInstance& instance, int frame, bool json)
{
    if (json) {
        nlohmann::json bones = nlohmann::json::array();
        for (const CBoneInstance& bone : instance.boneInstances) {
            const Vector3 p = bone.WorldPosition();
            bones.push_back({{"name", IDToName(bone.bone->nameID)}, {"position", {p.x, p.y, p.z}}});
        }
        std::cout << nlohmann::json{{"frame", frame}, {"bones", bones}}.dump() << "\n";
        return;
    }
    std::cout << "frame " << frame << "\n";
    for (const CBoneInstance& bone : instance.boneInstances) {
        const Vector3 p = bone.WorldPosition();
        std::cout << "  " << IDToName(bone.bone->nameID) << "\t" << p.x << "\t" << p.y << "\t"
                  << p.z << "\n";
    }
}

} // namespace

int RunPose(const PoseRequest& request)
{
    if (request.motion.empty() == request.chart.empty())
        throw InvalidArgumentError("give either a MOTION.vmd or --chart FILE, not both");
    const auto model = LoadModel(request.model);
    CModelInstance instance(*model);

    if (!request.motion.empty()) {
        CMotionDocument motion;
        try {
            motion.Load(request.motion);
        } catch (const FileFormatError& error) {
            throw FileFormatError("\"" + request.motion
                                  + "\" is damaged or not a VMD motion: " + error.what());
        }
        const std::int32_t frame = std::max(request.frame, 0);
        instance.SampleBones([&](int nameID) {
            const CBoneFrameSequence* sequence = motion.boneSequences.Find(nameID);
            return sequence ? sequence->Sample(frame) : BonePose{};
        });
        // A PMX model's bone morphs move bones too.
        instance.SampleMorphs([&](int nameID) {
            const CMorphFrameSequence* sequence = motion.morphSequences.Find(nameID);
            return sequence ? sequence->Sample(frame) : 0.0f;
        });
    } else {
        CliChart chart(request.chart, {request.verbose, false});
        chart.WarnAboutReadErrors();
        CStepDocument& document = chart.document();
        document.SetModel(request.model);
        WarnAboutMissingDanceBones(*model, request.model);
        CScore& score = RequireScore(document, ParseStyle(request.style), request.difficulty);
        // Only the chosen chart is danced, for the model it is posed on.
        document.SetDancing({true, document.dancing().feet});
        score.UpdateLength(0);
        if (request.player < 1 || static_cast<std::size_t>(request.player) > score.players().size())
            throw InvalidArgumentError("--player must be 1 or, for COUPLE, 2");
        CPlayer& player = *score.players()[static_cast<std::size_t>(request.player - 1)];
        instance.SampleBones([&](int nameID) { return player.GetBonePose(nameID, request.frame); });
    }
    instance.Update();
    PrintPose(instance, request.frame, request.json);
    return 0;
}

} // namespace zelvane::cli
