#pragma once

#include "base/Note.h"
#include "chart/DocumentView.h"

#include <cstdint>
#include <string>

namespace zelvane {

class CStepDocument;
class CScore;

// A change that can do and undo itself. The history owns it once executed.
class CCommand {
public:
    explicit CCommand(std::string name)
        : m_name(std::move(name))
    {
    }
    virtual ~CCommand() = default;
    CCommand(const CCommand&) = delete;
    CCommand& operator=(const CCommand&) = delete;

    // The name the Edit menu shows.
    const std::string& name() const { return m_name; }

    // Each either completes or throws having changed nothing, so the history and the views
    // never see half a command.
    virtual void Do(IStepDocumentView* sender) = 0;
    virtual void Undo() = 0;

private:
    std::string m_name;
};

class CDocumentCommand : public CCommand {
public:
    CDocumentCommand(CStepDocument* document, std::string name)
        : CCommand(std::move(name))
        , m_document(document)
    {
    }
    CStepDocument* document() const { return m_document; }

private:
    CStepDocument* m_document;
};

// A change of one score's notes. `minClock` is the earliest clock the change touches, from
// which the dancers' motion is rebuilt; it starts at the score's length.
class CScoreCommand : public CDocumentCommand {
public:
    CScoreCommand(CScore* score, std::string name);
    CScore* score() const { return m_score; }
    std::int32_t minClock() const { return m_minClock; }

protected:
    // Throws InvalidArgumentError when the note names a panel the score does not have or
    // breaks the chart limits at the document's tempo, so such an edit is refused before
    // anything changes.
    void CheckNote(const CNote& note) const;
    void LowerMinClock(std::int32_t clock);
    // The common ending of every do and undo: new length and motion from `minClock`, the
    // document marked modified, the views told.
    void Finish(UpdateHint hint, IStepDocumentView* sender);

private:
    CScore* m_score;
    std::int32_t m_minClock;
};

} // namespace zelvane
