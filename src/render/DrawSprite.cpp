#include "render/DrawSprite.h"

#include "text/Errors.h"
#include "text/StringTable.h"

#include <QImage>
#include <QPainter>

namespace zelvane {

void DrawSprite(QPainter& painter, const QImage& sheet, const QRect& source, const QRect& target)
{
    if (source.isEmpty() || target.isEmpty())
        return;
    if (!sheet.rect().contains(source))
        throw InvalidArgumentError(Reason(IDS_REASON_SPRITE_OUTSIDE_SHEET));
    if (source.size() == target.size()) {
        // The unscaled path copies texels one to one: no filtering, no half-texel blur.
        painter.drawImage(target.topLeft(), sheet, source);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(target), sheet, QRectF(source));
}

} // namespace zelvane
