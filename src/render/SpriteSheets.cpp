#include "render/SpriteSheets.h"

#include "text/Errors.h"
#include "text/StringTable.h"

#include <QString>

#include <string>

// The resources live in this static library: nothing refers to the generated registration
// code, so the linker would drop it unless it is called by name, which the macro does. It
// cannot be used inside a namespace.
static void RegisterSheetResources()
{
    Q_INIT_RESOURCE(sheets);
}

namespace zelvane {
namespace {

QImage LoadSheet(const char* name, int width, int height)
{
    const QString path
        = QStringLiteral(":/sheets/") + QString::fromLatin1(name) + QStringLiteral(".png");
    QImage image(path, "PNG");
    if (image.isNull())
        throw FileFormatError(Reason(IDS_REASON_IMAGE_UNDECODABLE, {name}));
    if (image.width() != width || image.height() != height) {
        throw FileFormatError(Reason(IDS_REASON_IMAGE_WRONG_SIZE,
                                     {name, image.width(), image.height(), width, height}));
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

const CSpriteSheets& CSpriteSheets::Get()
{
    // Initialised once, by whichever thread comes first; the others wait for it.
    static const CSpriteSheets sheets;
    return sheets;
}

CSpriteSheets::CSpriteSheets()
{
    RegisterSheetResources();
    constexpr int kWidth = 4 * kCellSize;
    m_receptor = LoadSheet("receptor", kWidth, 4 * kCellSize);
    m_note = LoadSheet("note", kWidth, 16 * kCellSize);
    m_holdHead = LoadSheet("holdHead", kWidth, 2 * kCellSize);
    m_holdBody = LoadSheet("holdBody", kWidth, 2 * kBodyTileHeight);
    m_holdTail = LoadSheet("holdTail", kWidth, 2 * kCellSize);
    m_pad = LoadSheet("pad", 3 * kCellSize, 3 * kCellSize);
    for (int i = 0; i < kToonCount; ++i)
        m_toons[static_cast<std::size_t>(i)]
            = LoadSheet(("toon" + std::to_string(i)).c_str(), 32, 32);
}

const QImage& CSpriteSheets::toon(int index) const
{
    if (index < 0 || index >= kToonCount)
        throw InvalidArgumentError(Reason(IDS_REASON_TOON_INDEX, {index}));
    return m_toons[static_cast<std::size_t>(index)];
}

QRect CSpriteSheets::ArrowCell(std::int32_t panel, int row)
{
    const std::int32_t column = ((panel % 4) + 4) % 4;
    return QRect(column * kCellSize, row * kCellSize, kCellSize, kCellSize);
}

QRect CSpriteSheets::BodyTile(std::int32_t panel, int row)
{
    const std::int32_t column = ((panel % 4) + 4) % 4;
    return QRect(column * kCellSize, row * kBodyTileHeight, kCellSize, kBodyTileHeight);
}

} // namespace zelvane
