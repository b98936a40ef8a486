// A tree of drives, folders and files of one extension, from which the
// browse buttons take a data, log or history file path.
#pragma once

#include <string>

#include "ui/win/dialog.h"

namespace zevo {

class CFileChooserDlg : public win::Dialog {
public:
    // `extension` with its dot, in upper case: ".ZVD", ".ZVL" or ".ZVH".
    explicit CFileChooserDlg(const std::string& extension);

    std::string m_strExtension;
    // The path field's text when the dialog ended with OK (may be empty).
    std::string m_strPath;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
};

}  // namespace zevo
