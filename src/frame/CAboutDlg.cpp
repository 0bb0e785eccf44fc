#include "CAboutDlg.h"

#include "CPSupport.h"
#include "CVelmoraWrap.h"
#include "FrameMessageIds.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef VELMORA_VERSION
#define VELMORA_VERSION "1.0.0"
#endif

CAboutDlg::CAboutDlg(const QString& displayName, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDlg"));
    setWindowTitle(CVelmoraWrap::LoadString(FrameText::AboutCaption).arg(displayName));
    auto* layout = new QHBoxLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);
    layout->addWidget(icon);

    auto* column = new QVBoxLayout;
    auto* name = new QLabel(QStringLiteral("<b>%1</b>").arg(displayName.toHtmlEscaped()), this);
    column->addWidget(name);
    column->addWidget(new QLabel(CVelmoraWrap::LoadString(FrameText::AboutVersion).arg(Version()), this));
    auto* purpose = new QLabel(CVelmoraWrap::LoadString(FrameText::AboutPurpose), this);
    purpose->setWordWrap(true);
    column->addWidget(purpose);
    auto* link =
        // The address reads left to right in a Hebrew line too (its closing "/" stays at its end).
        new QLabel(QStringLiteral("%1 <a href=\"%2\">%2</a>&lrm;")
                       .arg(CVelmoraWrap::LoadString(FrameText::AboutWebSite).toHtmlEscaped(), WebAddress()),
                   this);
    link->setProperty("controlId", 1884);
    link->setOpenExternalLinks(true);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    column->addWidget(link);
    column->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    m_support =
        buttons->addButton(CVelmoraWrap::LoadString(FrameText::AboutSupport), QDialogButtonBox::ActionRole);
    m_support->setProperty("controlId", 1885);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setText(CVelmoraWrap::LoadString(FrameText::ButtonOk));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_support, &QPushButton::clicked, this, [this]() {
        CPSupport support(this);
        support.exec();
    });
    column->addWidget(buttons);
    layout->addLayout(column, 1);
    setMinimumWidth(420);
}

QString CAboutDlg::WebAddress()
{
    return QStringLiteral("https://velmora.quorvel.example/");
}

QString CAboutDlg::Version()
{
    return QStringLiteral(VELMORA_VERSION);
}
