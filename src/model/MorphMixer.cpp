#include "model/MorphMixer.h"

#include "text/Errors.h"
#include "text/StringTable.h"

namespace zelvane {

namespace {

void CheckIndex(int index, std::size_t count, std::uint32_t table)
{
    if (index < 0 || static_cast<std::size_t>(index) >= count)
        throw InvalidArgumentError(Reason(IDS_REASON_PMX_INDEX_OUT_OF_RANGE,
                                          {Reason(IDS_REASON_PMD_MORPHS), index, Reason(table)}));
}

} // namespace

CMorphMixer::CMorphMixer(const CModelDocument& model)
    : m_model(model)
{
    for (std::size_t m = 0; m < model.morphs.size(); ++m) {
        const CModelMorph& morph = model.morphs[m];
        for (const CModelMorphMember& member : morph.members)
            CheckIndex(member.morph, model.morphs.size(), IDS_REASON_PMD_MORPHS);
        for (const CModelMorphBone& entry : morph.bones)
            CheckIndex(entry.bone, model.bones.size(), IDS_REASON_PMD_BONES);
        if (!morph.members.empty())
            m_groups.push_back(m);
        if (!morph.bones.empty())
            m_boneMorphs.push_back(m);
    }
}

const std::vector<float>& CMorphMixer::Mix(const std::vector<float>& weights)
{
    bool weighted = false;
    for (std::size_t g : m_groups)
        weighted = weighted || weights[g] != 0.0f;
    if (!weighted)
        return weights;
    m_mixed = weights;
    for (std::size_t g : m_groups) {
        const float weight = weights[g];
        if (weight == 0.0f)
            continue;
        for (const CModelMorphMember& member : m_model.morphs[g].members) {
            const auto index = static_cast<std::size_t>(member.morph);
            if (m_model.morphs[index].members.empty())
                m_mixed[index] += weight * member.ratio;
        }
    }
    return m_mixed;
}

bool CMorphMixer::AddBoneMorphs(const std::vector<float>& mixedWeights,
                                std::vector<CBoneInstance>& bones)
{
    m_samples.clear();
    for (std::size_t m : m_boneMorphs) {
        const float weight = mixedWeights[m];
        if (weight == 0.0f)
            continue;
        for (const CModelMorphBone& entry : m_model.morphs[m].bones) {
            const auto index = static_cast<std::size_t>(entry.bone);
            CBoneInstance& bone = bones[index];
            m_samples.emplace_back(index, BonePose{bone.translation, bone.rotation});
            bone.translation = bone.translation + entry.translation * weight;
            bone.rotation
                = QuaternionMultiply(QuaternionScaled(entry.rotation, weight), bone.rotation);
        }
    }
    return !m_samples.empty();
}

void CMorphMixer::RestoreSamples(std::vector<CBoneInstance>& bones)
{
    // Backwards, so that a bone two morphs moved gets the pose from before the first.
    for (auto sample = m_samples.rbegin(); sample != m_samples.rend(); ++sample) {
        bones[sample->first].translation = sample->second.translation;
        bones[sample->first].rotation = sample->second.rotation;
    }
    m_samples.clear();
}

} // namespace zelvane
