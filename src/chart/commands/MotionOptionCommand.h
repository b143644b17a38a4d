#pragma once

#include "chart/MotionOptions.h"
#include "chart/commands/Command.h"

namespace zelvane {

// Changes the options of the dance generator; every score dances anew.
class CMotionOptionCommand : public CDocumentCommand {
public:
    // The old values are the document's current ones. Throws InvalidArgumentError when the
    // panel size is not a number above 0.
    CMotionOptionCommand(CStepDocument* document, MotionOptions newValues);
    const MotionOptions& oldValues() const { return m_old; }
    const MotionOptions& newValues() const { return m_new; }

    void Do(IStepDocumentView* sender) override;
    void Undo() override;

private:
    void Apply(const MotionOptions& values, IStepDocumentView* sender);

    MotionOptions m_old;
    MotionOptions m_new;
};

} // namespace zelvane
