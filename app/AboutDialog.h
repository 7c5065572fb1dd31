#pragma once

#include "Dialog.h"

// Help, About: the icon, the version and the notice line.
class CAboutDialog : public CDialog {
  public:
    explicit CAboutDialog(QWidget* parent = nullptr);

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
