#pragma once

#include "TempDir.h"

// A test process's own settings and runtime folders (XDG_CONFIG_HOME,
// XDG_RUNTIME_DIR) and Qt's offscreen platform unless another was asked
// for: made before the application object, kept while it lives.
class PrivateSession {
  public:
    PrivateSession();

  private:
    TempDir m_config;
    TempDir m_runtime;
};
