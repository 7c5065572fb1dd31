#include "FontDialog.h"

#include "LogFont.h"
#include "PainterDC.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <memory>

namespace {

constexpr double kPointsPerInch = 72.0;

double ScreenPixelsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

// The font as the surfaces draw it, in points: a height of 0 is their default
// size; a negative height is the character height, a positive one the
// cell's, and both become the size of the em.
QFont DialogFont(const LOGFONT& logFont) {
    QFont font = FontOfLogFont(logFont);
    font.setPointSizeF(logFont.lfHeight == 0
                           ? CPainterDC::kDefaultFontPointSize
                           : std::abs(logFont.lfHeight) * kPointsPerInch / ScreenPixelsPerInch());
    return font;
}

LOGFONT LogFontOfDialogFont(const QFont& font) {
    LOGFONT logFont;
    logFont.lfHeight =
        -static_cast<int>(std::lround(font.pointSizeF() * ScreenPixelsPerInch() / kPointsPerInch));
    SetLogFontFace(logFont, font);
    return logFont;
}

bool IsNarrowOrWide(const QString& style) {
    for (const char* width : {"Condensed", "Narrow", "Expanded", "Extended"})
        if (style.contains(QLatin1String(width)))
            return true;
    return false;
}

// The style of `family` nearest to `font`'s: the same slant, the nearest
// weight, the normal width.
QString NearestStyle(const QString& family, const QFont& font) {
    QString best;
    int bestDistance = 0;
    for (const QString& style : QFontDatabase::styles(family)) {
        const int distance = (QFontDatabase::italic(family, style) != font.italic()) * 100000 +
                             std::abs(QFontDatabase::weight(family, style) - font.weight()) * 10 +
                             IsNarrowOrWide(style);
        if (best.isEmpty() || distance < bestDistance) {
            best = style;
            bestDistance = distance;
        }
    }
    return best;
}

// Qt's dialog keeps a style's name when another family is chosen and, where
// that family has no style of the name, falls back to the family's first
// style, often a condensed or italic one. Take the style nearest to the one
// the family was left with instead.
void KeepStyleAcrossFamilies(QFontDialog& dialog) {
    auto last = std::make_shared<QFont>(dialog.currentFont());
    QObject::connect(
        &dialog, &QFontDialog::currentFontChanged, &dialog, [&dialog, last](const QFont& font) {
            const QString family = font.family();
            const bool fellBack = family != last->family() &&
                                  font.styleName() == QFontDatabase::styles(family).value(0);
            const QString style = fellBack ? NearestStyle(family, *last) : QString();
            if (style.isEmpty() || style == font.styleName()) {
                *last = font;
                return;
            }
            QFont kept = QFontDatabase::font(family, style, 12);
            kept.setPointSizeF(font.pointSizeF());
            kept.setUnderline(font.underline());
            kept.setStrikeOut(font.strikeOut());
            *last = kept;
            dialog.setCurrentFont(kept);
        });
}

} // namespace

// Qt's dialog lists the screen's fonts and always offers the effects, so the
// flags ask for nothing more.
CFontDialog::CFontDialog(const LOGFONT* initial, DWORD, CDC*, QWidget* parent)
    : m_logFont(initial != nullptr ? *initial : LOGFONT{}), m_parent(parent) {}

int CFontDialog::DoModal() {
    QFontDialog dialog(DialogFont(m_logFont), m_parent);
    dialog.setOptions(QFontDialog::DontUseNativeDialog);
    KeepStyleAcrossFamilies(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    m_logFont = LogFontOfDialogFont(dialog.selectedFont());
    return IDOK;
}
