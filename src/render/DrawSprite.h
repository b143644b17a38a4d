#pragma once

#include <QRect>

class QImage;
class QPainter;

namespace zelvane {

// Draws the `source` rectangle of a sprite sheet (whole texels) onto the `target` rectangle
// of the painter's device, blended source-over. A cell drawn at its own size lands pixel
// for pixel; a scaled one (the score view's 48-pixel cells) is filtered smoothly. An empty
// rectangle draws nothing; a source reaching outside the sheet is InvalidArgumentError.
void DrawSprite(QPainter& painter, const QImage& sheet, const QRect& source, const QRect& target);

} // namespace zelvane
