#pragma once

namespace zelvane {

class CMotionDocument;

// The built-in pose laid under every dance: arms relaxed from the model's rest pose and
// fingers curled, 32 keys at frame 0. Read once, on first use, from VMD bytes made from
// the table in BasePose.cpp; safe to call from several workers at once.
const CMotionDocument& GetBasePose();

} // namespace zelvane
