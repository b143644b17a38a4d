#pragma once

#include "chart/ClipboardFormat.h"

#include <QObject>

#include <optional>
#include <span>
#include <vector>

namespace zelvane {

// The system clipboard under the two note formats ("Kes.Rondisk.Note" and
// "Kes.Rondisk.ClockRange", the core's byte layouts), so notes travel between windows and
// program instances. Placing one format empties the clipboard of everything else.
class CScoreClipboard : public QObject {
    Q_OBJECT
public:
    // The one instance, which follows the system clipboard from the first call on.
    static CScoreClipboard& Get();

    void PutNotes(std::span<const CNote> notes);
    void PutRange(const ClockRange& range);
    bool HasNotes() const;
    bool HasRange() const;
    // The notes on the clipboard; nothing when the format is absent or its bytes are
    // damaged (then nothing is pasted at all).
    std::optional<std::vector<CNote>> ReadNotes() const;
    // The range on the clipboard moved to `position`; nothing as for ReadNotes.
    std::optional<ClockRange> ReadRange(std::int32_t position) const;

signals:
    // The clipboard's contents changed, here or in another program.
    void changed();

private:
    CScoreClipboard();
};

} // namespace zelvane
