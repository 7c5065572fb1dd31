#include "AfxResources.h"

#include <algorithm>
#include <cassert>

namespace {
const AfxResourceTables* g_resources = nullptr;
}

void AfxSetResources(const AfxResourceTables* tables) {
    g_resources = tables;
}

const AfxResourceTables& AfxGetResources() {
    assert(g_resources != nullptr);
    return *g_resources;
}

QString AfxLoadString(UINT id) {
    const auto& strings = AfxGetResources().strings;
    const auto found = std::find_if(strings.begin(), strings.end(),
                                    [id](const StringResource& s) { return s.id == id; });
    return found == strings.end() ? QString() : QString::fromUtf8(found->text);
}

const DialogTemplate* AfxFindDialogTemplate(UINT id) {
    const auto& dialogs = AfxGetResources().dialogs;
    const auto found = std::find_if(dialogs.begin(), dialogs.end(),
                                    [id](const DialogTemplate& d) { return d.id == id; });
    return found == dialogs.end() ? nullptr : &*found;
}

QString AfxFindMenuLabel(UINT id) {
    for (const MenuPopup& popup : AfxGetResources().menu)
        for (const MenuItem& item : popup.items)
            if (item.id == id && item.label != nullptr)
                return QString::fromUtf8(item.label);
    return QString();
}
