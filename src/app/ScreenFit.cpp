#include "app/ScreenFit.h"

#include <algorithm>

namespace zelvane {
namespace {

// How much of a window must show on a screen to count as being there: enough of its top
// edge to grab it.
constexpr int kMinimumVisibleWidth = 100;
constexpr int kMinimumVisibleHeight = 30;

QRect MoveInside(QRect window, const QRect& screen)
{
    window.setWidth(std::min(window.width(), screen.width()));
    window.setHeight(std::min(window.height(), screen.height()));
    window.moveLeft(std::clamp(window.left(), screen.left(), screen.right() - window.width() + 1));
    window.moveTop(std::clamp(window.top(), screen.top(), screen.bottom() - window.height() + 1));
    return window;
}

} // namespace

QRect FitToScreens(const QRect& saved, const QList<QRect>& screens)
{
    if (screens.isEmpty() || saved.isEmpty())
        return saved;
    for (const QRect& screen : screens) {
        const QRect top(saved.left(), saved.top(), saved.width(),
                        std::min(saved.height(), kMinimumVisibleHeight));
        const QRect shown = top.intersected(screen);
        if (shown.width() >= std::min(kMinimumVisibleWidth, saved.width())
            && shown.height() >= std::min(kMinimumVisibleHeight, saved.height()))
            return MoveInside(saved, screen);
    }
    const QRect& primary = screens.front();
    QRect centred = MoveInside(saved, primary);
    centred.moveCenter(primary.center());
    return MoveInside(centred, primary);
}

} // namespace zelvane
