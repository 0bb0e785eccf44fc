#include "CCopyWizardSheet.h"

#include "CChoosePhoneDlg.h"
#include "CCopyWizSrcDlg.h"
#include "CCopyWizWriteDlg.h"
#include "CCustomCopyDlg.h"
#include "CVelmoraWrap.h"
#include "CWindowWait.h"
#include "CopyWizardIds.h"

CCopyWizardSheet::CCopyWizardSheet(const CCopyWizardContext& context, QWidget* parent)
    : CPropertySheetWithHelp(CVelmoraWrap::LoadString(CopyWizText::Caption), parent), m_context(context)
{
    setObjectName(QStringLiteral("CopyWizard"));
    setProperty("helpContext", int(HelpContext));
    AddPage(new CCopyWizSrcDlg(*this));
    AddPage(new CCustomCopyDlg(*this));
    AddPage(new CCopyWizWriteDlg(*this));
    SetWizardMode(true);
    resize(560, 460);
}

CCopyWizardSheet::~CCopyWizardSheet() = default;

void CCopyWizardSheet::Report(const CVelmoraError& error)
{
    CVelmoraWrap::ShowError(error);
}

void CCopyWizardSheet::BeginWait()
{
    if (m_context.beginMainWait) {
        m_context.beginMainWait();
        return;
    }
    if (!m_ownWait)
        m_ownWait = std::make_unique<CWindowWait>(this);
    m_ownWait->Begin();
}

void CCopyWizardSheet::EndWait()
{
    if (m_context.endMainWait)
        m_context.endMainWait();
    else if (m_ownWait)
        m_ownWait->End();
}

CCopyWizardSheet::Busy::Busy(QWidget* sheet) : m_sheet(sheet)
{
    m_sheet->setEnabled(false);
}

CCopyWizardSheet::Busy::~Busy()
{
    m_sheet->setEnabled(true);
}
