#include "CmdTarget.h"

#include <algorithm>

bool CCmdTarget::OnCmdMsg(UINT id, int code, CCmdUI* cmdUI) {
    if (code == CN_UPDATE_COMMAND_UI) {
        const auto entry = std::find_if(m_updates.rbegin(), m_updates.rend(),
                                        [id](const UpdateEntry& e) { return e.id == id; });
        if (entry == m_updates.rend())
            return false;
        entry->handler(cmdUI);
        return true;
    }
    const auto entry = std::find_if(m_commands.rbegin(), m_commands.rend(),
                                    [id](const CommandEntry& e) { return e.id == id; });
    if (entry == m_commands.rend())
        return false;
    if (code == CN_COMMAND)
        entry->handler();
    return true;
}
