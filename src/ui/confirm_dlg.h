// The question before a restart of Windows, with OK and Cancel.
#pragma once

#include <string>

#include "ui/win/dialog.h"

namespace zevo {

// The question the next confirmation dialog shows (UTF-8); each dialog
// copies it when it is constructed.
extern std::string g_confirmText;

class CConfirmDlg : public win::Dialog {
public:
    CConfirmDlg();

    std::string m_strPrompt;

protected:
    bool OnInitDialog() override;
};

}  // namespace zevo
