#include "CmdTarget.h"

#include <algorithm>

template <class Handler>
const Handler* CCmdTarget::Find(const std::vector<Entry<Handler>>& entries, UINT id) {
    const auto entry = std::find_if(entries.rbegin(), entries.rend(),
                                    [id](const Entry<Handler>& e) { return e.id == id; });
    return entry == entries.rend() ? nullptr : &entry->handler;
}

const CommandHandler* CCmdTarget::FindCommandHandler(UINT id) const {
    return Find(m_commands, id);
}

const UpdateHandler* CCmdTarget::FindUpdateHandler(UINT id) const {
    return Find(m_updates, id);
}
