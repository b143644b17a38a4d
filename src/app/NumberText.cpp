#include "app/NumberText.h"

#include "qtcommon/QtText.h"

#include <QLocale>

#include <bit>
#include <cmath>
#include <cstdint>

namespace zelvane {

QString FloatToText(float value)
{
    const QLocale c = QLocale::c();
    for (int precision = 6; precision < 9; ++precision) {
        QString text = c.toString(static_cast<double>(value), 'g', precision);
        bool ok = false;
        const float back = c.toFloat(text, &ok);
        // The same bits: -0 stays -0.
        if (ok && std::bit_cast<std::uint32_t>(back) == std::bit_cast<std::uint32_t>(value))
            return text;
    }
    return c.toString(static_cast<double>(value), 'g', 9);
}

std::optional<float> TextToFloat(const QString& text)
{
    bool ok = false;
    const float value = QLocale::c().toFloat(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> TextToInt(const QString& text)
{
    bool ok = false;
    const int value = QLocale::c().toInt(text.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QString NumberRequiredMessage()
{
    return LoadQString(IDS_NUMBER_REQUIRED);
}

} // namespace zelvane
