#include "plot/Fonts.h"

namespace sorkam {

namespace {

QFont regular(const QString& family, QFont::StyleHint hint, double pointSize, bool antialiased) {
    QFont font(family);
    font.setStyleHint(hint, antialiased ? QFont::PreferDefault : QFont::NoAntialias);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

} // namespace

QFont serifFont(double pointSize, bool antialiased) {
    return regular(QStringLiteral("Times New Roman"), QFont::Serif, pointSize, antialiased);
}

QFont sansFont(double pointSize) {
    return regular(QStringLiteral("Sans Serif"), QFont::SansSerif, pointSize, true);
}

} // namespace sorkam
