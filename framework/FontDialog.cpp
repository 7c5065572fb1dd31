#include "FontDialog.h"

#include "AfxRes.h"

#include <QApplication>
#include <QFontDialog>
#include <QScreen>

#include <cmath>
#include <cstring>

namespace {

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr double kPointsPerInch = 72.0;

double ScreenPixelsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace

QFont FontFromLogFont(const LOGFONT& logFont, double pixelsPerInch) {
    QFont font = QApplication::font();
    if (logFont.lfFaceName[0] != '\0')
        font.setFamily(QString::fromLocal8Bit(logFont.lfFaceName));
    // A negative height is the character height, a positive one the cell's;
    // the dialog works in points, so both become the size of the em.
    if (logFont.lfHeight != 0)
        font.setPointSizeF(std::abs(logFont.lfHeight) * kPointsPerInch / pixelsPerInch);
    if (logFont.lfWeight != 0)
        font.setWeight(logFont.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    return font;
}

LOGFONT LogFontFromFont(const QFont& font, double pixelsPerInch) {
    LOGFONT logFont;
    logFont.lfHeight =
        -static_cast<int>(std::lround(font.pointSizeF() * pixelsPerInch / kPointsPerInch));
    logFont.lfWeight = font.bold() ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.italic() ? 1 : 0;
    logFont.lfUnderline = font.underline() ? 1 : 0;
    logFont.lfStrikeOut = font.strikeOut() ? 1 : 0;
    const QByteArray face = font.family().toLocal8Bit().left(LF_FACESIZE - 1);
    std::memcpy(logFont.lfFaceName, face.constData(), static_cast<std::size_t>(face.size()));
    return logFont;
}

// Qt's dialog lists the screen's fonts and always offers the effects, so the
// flags ask for nothing more.
CFontDialog::CFontDialog(const LOGFONT* initial, DWORD, CDC*, QWidget* parent)
    : m_logFont(initial != nullptr ? *initial : LOGFONT{}), m_parent(parent) {}

int CFontDialog::DoModal() {
    QFontDialog dialog(FontFromLogFont(m_logFont, ScreenPixelsPerInch()), m_parent);
    dialog.setOptions(QFontDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    m_logFont = LogFontFromFont(dialog.selectedFont(), ScreenPixelsPerInch());
    return IDOK;
}
