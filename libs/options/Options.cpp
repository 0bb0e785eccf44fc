#include "Options.h"

#include "COptionsDlg.h"

int DispalyOptionsDialog(QWidget* parent, int page)
{
    COptionsDlg dialog(parent, page);
    return dialog.exec() == QDialog::Accepted ? 1 : 2;
}
