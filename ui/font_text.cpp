#include "ui/font_text.h"

#include "core/text_ops.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int maxFaceLength = 31;
constexpr int fallbackPoints = 9;
constexpr int maxPoints = 1000;

int field(const QString& text, int n)
{
    return text::textToInt(text::nthField(text, n, u","));
}

void setPoints(QFont& font, int points)
{
    if (points > 0)
        font.setPointSize(std::min(points, maxPoints));
}

// Weights run from 1 to 1000 as in QFont::Weight (400 regular, 700 bold);
// 0 means the regular weight.
QFont::Weight weightFrom(int weight)
{
    if (weight <= 0)
        return QFont::Normal;
    return static_cast<QFont::Weight>(std::min(weight, 1000));
}

} // namespace

QFont fontFromText(const QString& text, int dpiY)
{
    QFont font;
    if (font.pointSize() <= 0)
        font.setPointSize(fallbackPoints);

    const QString face = text::nthField(text, 1, u",").trimmed().left(maxFaceLength);
    if (!face.isEmpty())
        font.setFamily(face);

    if (text.count(u',') >= 11) {
        const double height = std::abs(static_cast<double>(field(text, 2)));
        const double points = height * 72.0 / (dpiY > 0 ? dpiY : 96);
        // A height too small to make a whole point still asks for the smallest font.
        if (height > 0)
            setPoints(font, std::max(1, static_cast<int>(std::min(std::round(points), 1e6))));
        font.setWeight(weightFrom(field(text, 6)));
        font.setItalic(field(text, 7) != 0);
        font.setUnderline(field(text, 8) != 0);
        font.setStrikeOut(field(text, 9) != 0);
    } else {
        setPoints(font, field(text, 2));
        const int style = field(text, 3);
        font.setWeight(style & 1 ? QFont::Bold : QFont::Normal);
        font.setItalic(style & 2);
        font.setUnderline(style & 4);
        font.setStrikeOut(style & 8);
    }
    return font;
}
