#pragma once

// The one conversion between a LOGFONT and a QFont: face, weight, italic,
// underline and strike-out. Sizes are left to the caller, whose units depend
// on the surface. Face names are UTF-8.

#include "DC.h"

#include <QFont>

QFont FontOfLogFont(const LOGFONT& logFont);
// Sets those fields of logFont from the font; the face name is cut to fit.
void SetLogFontFace(LOGFONT& logFont, const QFont& font);
