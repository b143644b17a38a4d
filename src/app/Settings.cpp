#include "app/Settings.h"

#include <QFileInfo>
#include <QSettings>

namespace zelvane::Settings {
namespace {

constexpr const char* kRecentGroup = "Recent File List";

QSettings Store()
{
    return QSettings(QStringLiteral("Kestrane"), QStringLiteral("Zelvane"));
}

QString Key(const char* group, const char* key)
{
    return QString::fromLatin1(group) + QLatin1Char('/') + QString::fromLatin1(key);
}

} // namespace

int ReadInt(const char* group, const char* key, int defaultValue)
{
    bool ok = false;
    const int value = Store().value(Key(group, key), defaultValue).toInt(&ok);
    // A value that is not a number (edited by hand) counts as missing.
    return ok ? value : defaultValue;
}

void WriteInt(const char* group, const char* key, int value)
{
    Store().setValue(Key(group, key), value);
}

int ReadScoreWidth()
{
    const int width = ReadInt(kWorkspace, "ScoreWidth", kDefaultScoreWidth);
    return width > 0 ? width : kDefaultScoreWidth;
}

void WriteScoreWidth(int width)
{
    WriteInt(kWorkspace, "ScoreWidth", width);
}

FootAssignment ReadFootAssignment()
{
    return ReadInt(kWorkspace, "FootAssignment", 0) == 1 ? FootAssignment::OPTIMAL
                                                         : FootAssignment::GREEDY;
}

void WriteFootAssignment(FootAssignment feet)
{
    WriteInt(kWorkspace, "FootAssignment", feet == FootAssignment::OPTIMAL ? 1 : 0);
}

std::optional<UiLanguage> ReadLanguage()
{
    return LanguageFromCode(
        Store().value(QString::fromLatin1(kWorkspace) + QStringLiteral("/Language")).toString());
}

void WriteLanguage(UiLanguage language)
{
    Store().setValue(QString::fromLatin1(kWorkspace) + QStringLiteral("/Language"),
                     LanguageCode(language));
}

ColorSettings ReadColors()
{
    ColorSettings colors;
    // Stored as signed ints, as the colour values always were; the bits are what count.
    colors.background = static_cast<std::uint32_t>(
        ReadInt(kWorkspace, "BackgroundColor", static_cast<int>(colors.background)));
    colors.screen = static_cast<std::uint32_t>(
        ReadInt(kWorkspace, "ScreenColor", static_cast<int>(colors.screen)));
    return colors;
}

void WriteBackgroundColor(std::uint32_t color)
{
    WriteInt(kWorkspace, "BackgroundColor", static_cast<int>(color));
}

void WriteScreenColor(std::uint32_t color)
{
    WriteInt(kWorkspace, "ScreenColor", static_cast<int>(color));
}

QString ReadDirectory(const QString& key)
{
    QString directory
        = Store().value(QString::fromLatin1(kWorkspace) + QLatin1Char('/') + key).toString();
    if (!directory.isEmpty() && !directory.endsWith(QLatin1Char('/')))
        directory += QLatin1Char('/');
    return directory;
}

void RememberDirectoryOf(const QString& key, const QString& filePath)
{
    if (key.isEmpty())
        return;
    Store().setValue(QString::fromLatin1(kWorkspace) + QLatin1Char('/') + key,
                     QFileInfo(filePath).absolutePath());
}

WindowPlacement ReadPlacement(const char* group)
{
    WindowPlacement placement;
    placement.x = ReadInt(group, "x", 0);
    placement.y = ReadInt(group, "y", 0);
    placement.cx = ReadInt(group, "cx", 0);
    placement.cy = ReadInt(group, "cy", 0);
    placement.show = ReadInt(group, "show", 0);
    return placement;
}

void WritePlacement(const char* group, const WindowPlacement& placement)
{
    QSettings store = Store();
    store.beginGroup(QString::fromLatin1(group));
    store.setValue(QStringLiteral("x"), placement.x);
    store.setValue(QStringLiteral("y"), placement.y);
    store.setValue(QStringLiteral("cx"), placement.cx);
    store.setValue(QStringLiteral("cy"), placement.cy);
    store.setValue(QStringLiteral("show"), placement.show);
}

QStringList ReadRecentFiles()
{
    QSettings store = Store();
    store.beginGroup(QString::fromLatin1(kRecentGroup));
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = store.value(QStringLiteral("File%1").arg(i)).toString();
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

void WriteRecentFiles(const QStringList& files)
{
    QSettings store = Store();
    store.beginGroup(QString::fromLatin1(kRecentGroup));
    store.remove(QString());
    for (int i = 0; i < files.size() && i < kRecentFileCount; ++i)
        store.setValue(QStringLiteral("File%1").arg(i + 1), files[i]);
}

} // namespace zelvane::Settings
