#include "PrivateSession.h"

#include <cstdlib>

PrivateSession::PrivateSession() {
    setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", m_runtime.Path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}
