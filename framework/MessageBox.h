#pragma once

// Modal message boxes captioned with the application's title. Tests put a
// recorder in place of the box.

#include "AfxRes.h"

#include <QString>

#include <functional>

constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_ICONSTOP = 0x0010;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONINFORMATION = 0x0040;

constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Returns the button that closed it: IDOK, or IDYES or IDNO.
int AfxMessageBox(const QString& text, UINT type = MB_OK);

// A message as a box shows it: a sentence, capitalised, with a full stop.
QString AsSentence(const QString& message);

using MessageBoxHook = std::function<int(const QString& text, UINT type)>;
// Replaces the box; an empty hook brings it back. Returns the previous hook.
MessageBoxHook AfxSetMessageBoxHook(MessageBoxHook hook);
