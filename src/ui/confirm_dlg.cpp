#include "ui/confirm_dlg.h"

#include "ui/resource.h"
#include "ui/win/text.h"

namespace zevo {

std::string g_confirmText;

CConfirmDlg::CConfirmDlg() : win::Dialog(IDD_CONFIRM), m_strPrompt(g_confirmText) {}

bool CConfirmDlg::OnInitDialog()
{
    Item(IDC_TEXT).SetText(win::Utf8ToWide(m_strPrompt));
    return true;
}

}  // namespace zevo
