#include "motion/BasePose.h"

#include "model/NameIds.h"
#include "motion/MotionDocument.h"

#include <array>
#include <string>

namespace zelvane {
namespace {

struct BaseRotation {
    const char* bone; // the left-side name without its leading 左
    Quaternion rotation;
};

// Left-side rotations; the right side mirrors them (same x and w, y and z negated).
constexpr std::array<BaseRotation, 16> kLeftSide = {{
    {"腕", {-0.036953f, -0.033651f, -0.237405f, 0.970124f}},
    {"ひじ", {0.149744f, 0.190815f, 0.000000f, 0.970137f}},
    {"親指１", {0.071834f, -0.539167f, -0.266196f, 0.795784f}},
    {"親指２", {-0.131950f, -0.316493f, 0.361478f, 0.867037f}},
    {"人指１", {0.0f, 0.0f, -0.644218f, 0.764842f}},
    {"人指２", {0.0f, 0.0f, -0.717356f, 0.696706f}},
    {"人指３", {0.0f, 0.0f, -0.731145f, 0.682221f}},
    {"中指１", {0.0f, 0.0f, -0.747971f, 0.663731f}},
    {"中指２", {0.0f, 0.0f, -0.560508f, 0.828148f}},
    {"中指３", {0.0f, 0.0f, -0.846832f, 0.531861f}},
    {"薬指１", {0.0f, 0.0f, -0.655617f, 0.755093f}},
    {"薬指２", {0.0f, 0.0f, -0.601198f, 0.799100f}},
    {"薬指３", {0.0f, 0.0f, -0.773915f, 0.633289f}},
    {"小指１", {0.0f, 0.0f, -0.648033f, 0.761611f}},
    {"小指２", {0.0f, 0.0f, -0.727725f, 0.685868f}},
    {"小指３", {0.0f, 0.0f, -0.731145f, 0.682221f}},
}};

CBoneFrame BaseKey(const Quaternion& rotation)
{
    CBoneFrame key(0);
    key.rotation = rotation;
    key.curves[CBoneFrame::CURVE_X].Set(20, 20, 107, 107);
    key.curves[CBoneFrame::CURVE_Y].Set(20, 20, 107, 107);
    key.curves[CBoneFrame::CURVE_Z].Set(0, 20, 107, 107);
    key.curves[CBoneFrame::CURVE_ROTATION].Set(0, 20, 107, 107);
    return key;
}

// The pose as the VMD file it is shipped as.
std::vector<std::uint8_t> BasePoseBytes()
{
    CMotionDocument table;
    for (const BaseRotation& entry : kLeftSide) {
        table.GetBoneSequence(NameToID(std::string("左") + entry.bone))
            .Insert(BaseKey(entry.rotation));
    }
    for (const BaseRotation& entry : kLeftSide) {
        const Quaternion& q = entry.rotation;
        table.GetBoneSequence(NameToID(std::string("右") + entry.bone))
            .Insert(BaseKey({q.x, -q.y, -q.z, q.w}));
    }
    return table.Write();
}

} // namespace

const CMotionDocument& GetBasePose()
{
    // A function-local static is initialised exactly once even when several workers get
    // here together; none of them sees it half-read.
    static const CMotionDocument pose = [] {
        CMotionDocument document;
        document.Read(BasePoseBytes());
        return document;
    }();
    return pose;
}

} // namespace zelvane
