#include "HeldWarnings.h"

namespace quib {

WarningHook HeldWarnings::Hook() {
    return [this](const std::string& path, const char* message) {
        if (m_held.empty() || m_held.back().path != path || m_held.back().message != message)
            m_held.push_back({path, message, 0});
        ++m_held.back().count;
    };
}

void HeldWarnings::Tell(const WarningHook& hook, std::error_code readError) const {
    if (!hook || readError == std::errc::operation_canceled)
        return;
    for (const Held& held : m_held)
        for (std::size_t k = 0; k < held.count; ++k)
            hook(held.path, held.message);
}

} // namespace quib
