#pragma once

#include "chart/DocumentHost.h"
#include "motion/MotionInput.h"
#include "qtcommon/UiLanguage.h"

#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>

namespace zelvane {

// The per-user settings: QSettings("Kestrane", "Zelvane") with the groups "Workspace" and
// "Window" and the value names and types the program has always used.
namespace Settings {

inline constexpr const char* kWorkspace = "Workspace";
inline constexpr const char* kWindow = "Window";
inline constexpr int kDefaultScoreWidth = 448;
inline constexpr int kRecentFileCount = 10;

int ReadInt(const char* group, const char* key, int defaultValue);
void WriteInt(const char* group, const char* key, int value);

// Width of the score pane; the default also stands in for a stored value of 0 or less.
int ReadScoreWidth();
void WriteScoreWidth(int width);

ColorSettings ReadColors();
void WriteBackgroundColor(std::uint32_t color);
void WriteScreenColor(std::uint32_t color);

// A remembered directory ends with "/" unless nothing is remembered.
QString ReadDirectory(const QString& key);
// Remembers the directory of a chosen file.
void RememberDirectoryOf(const QString& key, const QString& filePath);

// The main window's normal (not maximised) rectangle and how it was shown, with the
// show numbers the stored values have always used.
struct WindowPlacement {
    static constexpr int kShowNormal = 1;
    static constexpr int kShowMinimized = 2;
    static constexpr int kShowMaximized = 3;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    int show = 0;
    bool HasRect() const { return cx > 0 && cy > 0; }
    QRect rect() const { return QRect(x, y, cx, cy); }
};
WindowPlacement ReadPlacement(const char* group);
void WritePlacement(const char* group, const WindowPlacement& placement);

// How the dancers' feet are given to the notes: "Workspace/FootAssignment", 0 note by
// note (also for anything unknown), 1 over the whole chart.
FootAssignment ReadFootAssignment();
void WriteFootAssignment(FootAssignment feet);

// The language chosen in View > Language: "Workspace/Language", "ja" or "en"; nothing when
// none was chosen (or the value is unknown), and the locale decides.
std::optional<UiLanguage> ReadLanguage();
void WriteLanguage(UiLanguage language);

QStringList ReadRecentFiles();
void WriteRecentFiles(const QStringList& files);

} // namespace Settings
} // namespace zelvane
