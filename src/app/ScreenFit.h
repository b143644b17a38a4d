#pragma once

#include <QList>
#include <QRect>

namespace zelvane {

// Where a window saved at `saved` goes among the screens present now (their available
// areas, the primary first): where it was if enough of it shows there to grab and move it,
// made no larger than that screen and moved fully onto it; otherwise centred on the
// primary screen. A placement saved with a monitor since unplugged would else open the
// window where nobody can see it.
QRect FitToScreens(const QRect& saved, const QList<QRect>& screens);

} // namespace zelvane
