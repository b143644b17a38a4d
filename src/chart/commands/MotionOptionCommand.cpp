#include "chart/commands/MotionOptionCommand.h"

#include "chart/StepDocument.h"
#include "text/Errors.h"
#include "text/StringTable.h"

#include <cmath>

namespace zelvane {

CMotionOptionCommand::CMotionOptionCommand(CStepDocument* document, MotionOptions newValues)
    : CDocumentCommand(document, std::string(LoadString(IDS_MOTION_SETTINGS)))
    , m_old(document->motionOptions())
    , m_new(newValues)
{
    if (!std::isfinite(m_new.panelSize) || m_new.panelSize <= 0.0f)
        throw InvalidArgumentError(Reason(IDS_REASON_PANEL_SIZE_NOT_POSITIVE));
}

void CMotionOptionCommand::Apply(const MotionOptions& values, IStepDocumentView* sender)
{
    CStepDocument* doc = document();
    doc->SetMotionOptions(values);
    doc->SetModifiedFlag(true);
    doc->scores().UpdateAll();
    doc->UpdateAllViews(sender, UpdateHint::Model);
}

void CMotionOptionCommand::Do(IStepDocumentView* sender)
{
    Apply(m_new, sender);
}

void CMotionOptionCommand::Undo()
{
    Apply(m_old, nullptr);
}

} // namespace zelvane
