#include "MessageBox.h"

#include "WinApp.h"

#include <QApplication>
#include <QMessageBox>

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

QMessageBox::Icon IconFor(UINT type) {
    switch (type & 0xF0) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int AfxMessageBox(const QString& text, UINT type) {
    if (Hook())
        return Hook()(text, type);
    const bool yesNo = (type & 0x0F) == MB_YESNO;
    QMessageBox box(IconFor(type), AfxGetAppName(), text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    const int answer = box.exec();
    return !yesNo ? IDOK : answer == QMessageBox::Yes ? IDYES : IDNO;
}

QString AsSentence(const QString& message) {
    QString text = message;
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text + QLatin1Char('.');
}

MessageBoxHook AfxSetMessageBoxHook(MessageBoxHook hook) {
    MessageBoxHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}
