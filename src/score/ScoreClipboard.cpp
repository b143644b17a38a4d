#include "score/ScoreClipboard.h"

#include "text/Errors.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace zelvane {
namespace {

QString FormatName(std::string_view format)
{
    return QString::fromLatin1(format.data(), static_cast<qsizetype>(format.size()));
}

void Put(std::string_view format, const std::vector<std::uint8_t>& bytes)
{
    auto* data = new QMimeData;
    data->setData(FormatName(format),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()),
                             static_cast<qsizetype>(bytes.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

bool Has(std::string_view format)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(FormatName(format));
}

std::optional<QByteArray> Read(std::string_view format)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(FormatName(format)))
        return std::nullopt;
    return data->data(FormatName(format));
}

std::span<const std::uint8_t> Bytes(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

} // namespace

CScoreClipboard& CScoreClipboard::Get()
{
    static CScoreClipboard* instance = new CScoreClipboard; // lives as long as the program
    return *instance;
}

CScoreClipboard::CScoreClipboard()
{
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CScoreClipboard::changed);
}

void CScoreClipboard::PutNotes(std::span<const CNote> notes)
{
    Put(kNoteClipboardFormat, WriteNoteList(notes));
}

void CScoreClipboard::PutRange(const ClockRange& range)
{
    Put(kClockRangeClipboardFormat, WriteClockRange(range));
}

bool CScoreClipboard::HasNotes() const
{
    return Has(kNoteClipboardFormat);
}

bool CScoreClipboard::HasRange() const
{
    return Has(kClockRangeClipboardFormat);
}

std::optional<std::vector<CNote>> CScoreClipboard::ReadNotes() const
{
    const std::optional<QByteArray> bytes = Read(kNoteClipboardFormat);
    if (!bytes)
        return std::nullopt;
    try {
        return ReadNoteList(Bytes(*bytes));
    } catch (const CoreError&) {
        return std::nullopt; // another program's damaged data pastes nothing
    }
}

std::optional<ClockRange> CScoreClipboard::ReadRange(std::int32_t position) const
{
    const std::optional<QByteArray> bytes = Read(kClockRangeClipboardFormat);
    if (!bytes)
        return std::nullopt;
    try {
        return ReadClockRange(Bytes(*bytes), position);
    } catch (const CoreError&) {
        return std::nullopt;
    }
}

} // namespace zelvane
