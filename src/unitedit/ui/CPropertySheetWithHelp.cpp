#include "CPropertySheetWithHelp.h"

#include "CPropertyPageWithHelp.h"
#include "CVelmoraWrap.h"
#include "UnitEditMessageIds.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

CPropertySheetWithHelp::CPropertySheetWithHelp(const QString& caption, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(caption);
    setProperty("controlId", 0);
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabBar(this);
    m_tabs->setProperty("controlId", int(IdTabs));
    m_tabs->setDrawBase(true);
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);
    m_stack = new QStackedWidget(this);
    m_stack->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_tabs);
    layout->setSpacing(0);
    layout->addWidget(m_stack, 1);
    layout->addSpacing(8);
    BuildButtons();
    layout->addWidget(m_buttons);
    m_tabs->installEventFilter(this);
    // Keys on the tab bar change the tab first; a refusal puts it back.
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (m_switching)
            return;
        if (!SetActivePage(index)) {
            // The page refused to be left: the tab goes back to it.
            m_switching = true;
            m_tabs->setCurrentIndex(m_active);
            m_switching = false;
        }
    });
}

CPropertySheetWithHelp::~CPropertySheetWithHelp() = default;

void CPropertySheetWithHelp::BuildButtons()
{
    m_buttons = new QDialogButtonBox(this);
    const auto add = [this](int id, int textId, QDialogButtonBox::ButtonRole role) {
        QPushButton* button = m_buttons->addButton(CVelmoraWrap::LoadString(textId), role);
        button->setProperty("controlId", id);
        button->setAutoDefault(false);
        return button;
    };
    QPushButton* back = add(IdBack, UnitEditText::ButtonBack, QDialogButtonBox::ActionRole);
    QPushButton* next = add(IdNext, UnitEditText::ButtonNext, QDialogButtonBox::ActionRole);
    QPushButton* finish = add(IdFinish, UnitEditText::ButtonFinish, QDialogButtonBox::ActionRole);
    QPushButton* ok = add(IdOk, UnitEditText::ButtonOk, QDialogButtonBox::AcceptRole);
    QPushButton* cancel = add(IdCancel, UnitEditText::ButtonCancel, QDialogButtonBox::RejectRole);
    QPushButton* apply = add(IdApply, UnitEditText::ButtonApply, QDialogButtonBox::ApplyRole);
    QPushButton* help = add(IdHelp, UnitEditText::ButtonHelp, QDialogButtonBox::HelpRole);
    ok->setDefault(true);
    for (QPushButton* wizardButton : {back, next, finish})
        wizardButton->hide();
    apply->setEnabled(false);
    // The dialog's accept and reject signals are left alone: the sheet decides when it may close.
    connect(ok, &QPushButton::clicked, this, [this]() { PressOk(); });
    connect(cancel, &QPushButton::clicked, this, [this]() { PressCancel(); });
    connect(apply, &QPushButton::clicked, this, [this]() { PressApply(); });
    connect(back, &QPushButton::clicked, this, [this]() { PressBack(); });
    connect(next, &QPushButton::clicked, this, [this]() { PressNext(); });
    connect(finish, &QPushButton::clicked, this, [this]() { PressFinish(); });
    connect(help, &QPushButton::clicked, this, [this]() {
        if (CPropertyPageWithHelp* page = GetActivePage())
            RequestHelp(page->HelpContext());
    });
}

QPushButton* CPropertySheetWithHelp::Button(int controlId) const
{
    for (QAbstractButton* button : m_buttons->buttons()) {
        if (button->property("controlId").toInt() == controlId)
            return qobject_cast<QPushButton*>(button);
    }
    return nullptr;
}

void CPropertySheetWithHelp::AddPage(CPropertyPageWithHelp* page)
{
    page->AttachToSheet(this);
    m_pages << page;
    m_stack->addWidget(page);
    m_switching = true;
    m_tabs->addTab(page->Icon(), page->Title());
    m_switching = false;
    connect(page, &CPropertyPageWithHelp::modifiedChanged, this, [this]() { UpdateApplyButton(); });
}

CPropertyPageWithHelp* CPropertySheetWithHelp::GetPage(int index) const
{
    return index >= 0 && index < m_pages.size() ? m_pages[index] : nullptr;
}

int CPropertySheetWithHelp::GetPageIndex(const CPropertyPageWithHelp* page) const
{
    return int(m_pages.indexOf(const_cast<CPropertyPageWithHelp*>(page)));
}

bool CPropertySheetWithHelp::LeaveActivePage()
{
    CPropertyPageWithHelp* page = GetActivePage();
    return !page || page->OnKillActive();
}

bool CPropertySheetWithHelp::SetActivePage(int index)
{
    CPropertyPageWithHelp* page = GetPage(index);
    if (!page)
        return false;
    if (index == m_active)
        return true;
    if (!LeaveActivePage())
        return false;
    page->EnsureInitialized();
    if (!page->OnSetActive())
        return false;
    ShowPage(index);
    return true;
}

void CPropertySheetWithHelp::ShowPage(int index)
{
    m_active = index;
    m_stack->setCurrentIndex(index);
    m_switching = true;
    m_tabs->setCurrentIndex(index);
    m_switching = false;
    UpdateApplyButton();
}

void CPropertySheetWithHelp::UpdateApplyButton()
{
    bool modified = false;
    for (const CPropertyPageWithHelp* page : m_pages)
        modified = modified || (page->IsInitialized() && page->IsModified());
    Button(IdApply)->setEnabled(modified);
}

void CPropertySheetWithHelp::SetWizardMode(bool wizard)
{
    m_wizard = wizard;
    m_tabs->setVisible(!wizard);
    for (int id : {IdBack, IdNext, IdFinish})
        Button(id)->setVisible(wizard);
    for (int id : {IdOk, IdApply})
        Button(id)->setVisible(!wizard);
    SetWizardButtons(m_wizardFlags);
}

void CPropertySheetWithHelp::SetWizardButtons(int flags)
{
    m_wizardFlags = flags;
    Button(IdBack)->setEnabled(flags & PSWIZB_BACK);
    Button(IdNext)->setEnabled(flags & PSWIZB_NEXT);
    // Finish is shown while a page asks for it, or greyed with PSWIZB_DISABLEDFINISH.
    QPushButton* finish = Button(IdFinish);
    finish->setVisible(m_wizard && (flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH)));
    finish->setEnabled(flags & PSWIZB_FINISH);
    finish->setDefault(m_wizard && (flags & PSWIZB_FINISH));
    Button(IdNext)->setDefault(m_wizard && !(flags & PSWIZB_FINISH));
}

int CPropertySheetWithHelp::TopicOf(int context) const
{
    const CPropertyPageWithHelp* page = GetActivePage();
    return page && CPropertyPageWithHelp::IsControlContext(context) ? page->HelpContext() : context;
}

void CPropertySheetWithHelp::RequestHelp(int context)
{
    m_lastHelp = context;
    if (m_helpHandler)
        m_helpHandler(context);
}

bool CPropertySheetWithHelp::ApplyPages()
{
    for (int i = 0; i < m_pages.size(); ++i) {
        CPropertyPageWithHelp* page = m_pages[i];
        if (page->IsInitialized() && !page->OnApply()) {
            SetActivePage(i);
            return false;
        }
    }
    return true;
}

void CPropertySheetWithHelp::OnPagesApplied()
{
    for (CPropertyPageWithHelp* page : m_pages) {
        if (page->IsInitialized())
            page->OnApplied();
    }
    UpdateApplyButton();
}

bool CPropertySheetWithHelp::PressOk()
{
    if (!LeaveActivePage() || !ApplyPages())
        return false;
    OnPagesApplied();
    accept();
    return true;
}

bool CPropertySheetWithHelp::PressApply()
{
    if (!LeaveActivePage() || !ApplyPages())
        return false;
    OnPagesApplied();
    return true;
}

void CPropertySheetWithHelp::PressCancel()
{
    for (CPropertyPageWithHelp* page : m_pages) {
        if (page->IsInitialized())
            page->OnCancel();
    }
    QDialog::reject();
}

bool CPropertySheetWithHelp::PressBack()
{
    CPropertyPageWithHelp* page = GetActivePage();
    if (!page)
        return false;
    const int target = page->OnWizardBack();
    if (target == -1)
        return false;
    return SetActivePage(target == CPropertyPageWithHelp::kDefault ? m_active - 1 : target);
}

bool CPropertySheetWithHelp::PressNext()
{
    CPropertyPageWithHelp* page = GetActivePage();
    if (!page)
        return false;
    const int target = page->OnWizardNext();
    if (target == -1)
        return false;
    return SetActivePage(target == CPropertyPageWithHelp::kDefault ? m_active + 1 : target);
}

bool CPropertySheetWithHelp::PressFinish()
{
    CPropertyPageWithHelp* page = GetActivePage();
    if (!page || !page->OnKillActive() || !page->OnWizardFinish() || !ApplyPages())
        return false;
    OnPagesApplied();
    accept();
    return true;
}

int CPropertySheetWithHelp::exec()
{
    if (m_active < 0 && !m_pages.isEmpty() && !SetActivePage(qBound(0, m_startPage, GetPageCount() - 1)))
        SetActivePage(0);
    return QDialog::exec();
}

void CPropertySheetWithHelp::showEvent(QShowEvent* event)
{
    // Wide enough for every tab, as far as the screen allows.
    const int tabsWidth =
        m_tabs->isVisible() ? m_tabs->sizeHint().width() + 2 * layout()->contentsMargins().left() : 0;
    if (width() < tabsWidth)
        resize(qMin(tabsWidth, 1000), height());
    if (m_active < 0 && !m_pages.isEmpty() && !SetActivePage(qBound(0, m_startPage, GetPageCount() - 1)))
        SetActivePage(0);
    QDialog::showEvent(event);
}

void CPropertySheetWithHelp::reject()
{
    // Escape and the window's close box cancel as the Cancel button does.
    PressCancel();
}

bool CPropertySheetWithHelp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tabs && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int index = m_tabs->tabAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && index >= 0 && index != m_active) {
            SetActivePage(index);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CPropertySheetWithHelp::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        CPropertyPageWithHelp* page = GetActivePage();
        if (page)
            RequestHelp(page->HelpContextOf(QApplication::focusWidget()));
        event->accept();
        return;
    }
    // Ctrl+Tab and Ctrl+Page Down go to the next tab, with Shift or Page Up to the previous one.
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    int step = 0;
    if (ctrl && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_PageDown))
        step = event->modifiers().testFlag(Qt::ShiftModifier) ? -1 : 1;
    else if (ctrl && (event->key() == Qt::Key_Backtab || event->key() == Qt::Key_PageUp))
        step = -1;
    if (step != 0 && !m_wizard && !m_pages.isEmpty()) {
        SetActivePage((m_active + step + int(m_pages.size())) % int(m_pages.size()));
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
