#pragma once

#include "model/BoneInstance.h"
#include "model/BonePose.h"
#include "model/ModelDocument.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace zelvane {

// Turns the weights a motion gives a model's morphs into what they do beyond moving vertices:
// a PMX group morph hands its weight, times each member's ratio, on to its members; a PMX bone
// morph adds its weighted move and turn to its bones' sampled poses while they are posed.
// Group members that are groups themselves get nothing: a group is never followed beyond one
// level, so a group naming itself or another group cannot loop. A model without such morphs,
// or whose such morphs have no weight, is left exactly as the weights and samples say.
class CMorphMixer {
public:
    // Throws InvalidArgumentError when a bone morph names a bone or a group a morph that the
    // model lacks.
    explicit CMorphMixer(const CModelDocument& model);

    // The weights with every weighted group's shares added to its members: `weights` itself
    // when no group has weight. Sized as the model's morph list. The result stays valid
    // until the next call.
    const std::vector<float>& Mix(const std::vector<float>& weights);

    // Adds every weighted bone morph to the sampled translation and rotation of its bones:
    // the move is added, the turn (by the weight's share of its angle) comes before the
    // sampled one. Returns whether anything changed; if so, RestoreSamples puts the
    // sampled poses back once the bones are posed, so posing again adds nothing twice.
    bool AddBoneMorphs(const std::vector<float>& mixedWeights, std::vector<CBoneInstance>& bones);
    void RestoreSamples(std::vector<CBoneInstance>& bones);

private:
    const CModelDocument& m_model;
    std::vector<std::size_t> m_groups;
    std::vector<std::size_t> m_boneMorphs;
    std::vector<float> m_mixed;
    // The sampled poses AddBoneMorphs changed, in the order it changed them.
    std::vector<std::pair<std::size_t, BonePose>> m_samples;
};

} // namespace zelvane
