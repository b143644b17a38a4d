#include "app/MessageWidth.h"

#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTextDocument>

#include <algorithm>

namespace zelvane {
namespace {

// A message box never grows past 1000 pixels; its icon and margins take about 120 of them.
constexpr int kWidestLine = 720;

int LongestLineWidth(const QLabel& label)
{
    const QFontMetrics metrics = label.fontMetrics();
    int widest = 0;
    for (const QString& line : label.text().split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    if (widest == 0)
        return 0;
    // Text layout rounds its advances differently from the metrics; a character to spare
    // keeps the last one of a line from wrapping.
    const QMargins margins = label.contentsMargins();
    return widest + margins.left() + margins.right() + 2 * label.margin() + label.indent()
        + metrics.averageCharWidth();
}

bool IsPlainText(const QLabel& label)
{
    return label.textFormat() == Qt::PlainText
        || (label.textFormat() == Qt::AutoText && !Qt::mightBeRichText(label.text()));
}

} // namespace

int MessageLineLimit(const QWidget& widget)
{
    const QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 800;
    return std::min(screenWidth * 2 / 5, kWidestLine);
}

void FitMessageWidth(QDialog& dialog)
{
    const bool messageBox = qobject_cast<QMessageBox*>(&dialog) != nullptr;
    const int limit = MessageLineLimit(dialog);
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!(label->wordWrap() || messageBox) || !IsPlainText(*label))
            continue;
        const int width = std::min(LongestLineWidth(*label), limit);
        if (width > label->minimumWidth())
            label->setMinimumWidth(width);
    }
}

} // namespace zelvane
