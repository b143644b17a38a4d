#pragma once

#include <QString>

#include <optional>

namespace zelvane {

// Numbers as the dialogs show and read them: always with a dot, whatever the locale, and
// floats in the shortest text that reads back to the same bits.
QString FloatToText(float value);
std::optional<float> TextToFloat(const QString& text);
std::optional<int> TextToInt(const QString& text);

// The message shown when a number field does not hold a number.
QString NumberRequiredMessage();

} // namespace zelvane
