#include "CFleetPlaceholderView.h"

#include "CVelmoraDoc.h"
#include "CVelmoraWrap.h"
#include "FrameCommands.h"
#include "FrameMessageIds.h"

#include <QDir>
#include <QLabel>
#include <QVBoxLayout>

CFleetPlaceholderView::CFleetPlaceholderView(CVelmoraDoc& document, bool showFileName, QWidget* parent)
    : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("FleetPlaceholderView"));
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_label);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    if (showFileName) {
        ShowTitle();
        connect(&document, &CVelmoraDoc::pathNameChanged, this, &CFleetPlaceholderView::ShowTitle);
    }
}

int CFleetPlaceholderView::ViewFamily() const
{
    return FrameFamily::Fleet;
}

void CFleetPlaceholderView::ShowTitle()
{
    // The path reads left to right inside a right-to-left sentence too.
    const QString path = QChar(0x2066) + QDir::toNativeSeparators(m_document.PathName()) + QChar(0x2069);
    m_label->setText(CVelmoraWrap::LoadString(FrameText::FleetFileLabel).arg(path));
}
