#include "LogFont.h"

#include <algorithm>
#include <cstring>

QFont FontOfLogFont(const LOGFONT& logFont) {
    QFont font;
    const char* faceEnd = std::find(logFont.lfFaceName, logFont.lfFaceName + LF_FACESIZE, '\0');
    if (faceEnd != logFont.lfFaceName)
        font.setFamily(QString::fromUtf8(logFont.lfFaceName, faceEnd - logFont.lfFaceName));
    // LOGFONT weights and Qt's share the 1 to 1000 scale; 0 is the default.
    if (logFont.lfWeight > 0)
        font.setWeight(QFont::Weight(std::clamp(logFont.lfWeight, 1, 1000)));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    return font;
}

void SetLogFontFace(LOGFONT& logFont, const QFont& font) {
    logFont.lfWeight = font.weight();
    logFont.lfItalic = font.italic() ? 1 : 0;
    logFont.lfUnderline = font.underline() ? 1 : 0;
    logFont.lfStrikeOut = font.strikeOut() ? 1 : 0;
    // Whole characters only, and room for the terminating zero.
    QString family = font.family();
    QByteArray face = family.toUtf8();
    while (face.size() >= LF_FACESIZE) {
        family.chop(1);
        face = family.toUtf8();
    }
    std::memset(logFont.lfFaceName, 0, LF_FACESIZE);
    std::memcpy(logFont.lfFaceName, face.constData(), std::size_t(face.size()));
}
