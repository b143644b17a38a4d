#pragma once

namespace zelvane {

// Name IDs of the bones the dance writes: the string-table entries of their names.
constexpr int kBoneCenter = 500;      // センター
constexpr int kBoneLeftLeg = 501;     // 左足
constexpr int kBoneUpperBody = 504;   // 上半身
constexpr int kBoneLeftFootIk = 507;  // 左足ＩＫ
constexpr int kBoneRightFootIk = 508; // 右足ＩＫ
constexpr int kBoneNeck = 528;        // 首
constexpr int kBoneLeftToeIk = 551;   // 左つま先ＩＫ

} // namespace zelvane
