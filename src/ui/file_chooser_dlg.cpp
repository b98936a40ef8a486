#include "ui/file_chooser_dlg.h"

#include "ui/resource.h"
#include "ui/win/text.h"

namespace zevo {

CFileChooserDlg::CFileChooserDlg(const std::string& extension)
    : win::Dialog(IDD_FILE_CHOOSER), m_strExtension(extension)
{
}

bool CFileChooserDlg::OnInitDialog()
{
    Item(IDC_TEXT).SetText(win::AnsiToWide(m_strPath));
    return true;
}

void CFileChooserDlg::OnOK()
{
    m_strPath = win::WideToAnsi(Item(IDC_TEXT).Text());
    End(IDOK);
}

}  // namespace zevo
