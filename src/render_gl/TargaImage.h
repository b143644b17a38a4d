#pragma once

#include <QByteArray>
#include <QImage>

namespace zelvane {

// Targa pictures as model textures come: true-colour (24 or 32 bits) or grey (8 bits),
// raw or run-length encoded, rows stored from the bottom or the top, with or without the
// version 2 footer. Qt's own Targa reader takes only raw files that carry the footer, so
// textures it refuses are read here.
class CTargaImage {
public:
    // The picture in `bytes`, or a null image for anything this reader does not know or a
    // file that ends before its pixels do.
    static QImage Read(const QByteArray& bytes);
};

} // namespace zelvane
