#include "NoCPSupport.h"

#include "CVelmoraWrap.h"
#include "PhoneMessageIds.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NoCPSupport::NoCPSupport(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NoCPSupport"));
    setProperty("helpContext", 0x20000 + DialogId);
    setProperty("dialogId", int(DialogId));
    setWindowTitle(CVelmoraWrap::LoadString(PhoneText::NoSupportCaption));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(CVelmoraWrap::LoadString(PhoneText::NoSupportText), this);
    text->setWordWrap(true);
    layout->addWidget(text);
    m_link = new QLabel(
        QStringLiteral("%1 <a href=\"%2\">%2</a>")
            .arg(CVelmoraWrap::LoadString(PhoneText::SupportSiteLabel).toHtmlEscaped(), SupportAddress()),
        this);
    m_link->setProperty("controlId", int(LinkId));
    m_link->setOpenExternalLinks(true);
    m_link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    layout->addWidget(m_link);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(CVelmoraWrap::LoadString(PhoneText::ButtonOk));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(400);
}

QString NoCPSupport::SupportAddress()
{
    return QStringLiteral("https://velmora.quorvel.example/support/codeplugs");
}
