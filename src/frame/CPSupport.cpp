#include "CPSupport.h"

#include "AgentApi.h"
#include "CVelmoraWrap.h"
#include "FrameMessageIds.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstring>

CPSupport::CPSupport(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CPSupport"));
    setProperty("helpContext", 135691); // help context: reading and writing phones
    setWindowTitle(CVelmoraWrap::LoadString(FrameText::SupportCaption));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(CVelmoraWrap::LoadString(FrameText::SupportIntro), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    m_list = new QTreeWidget(this);
    m_list->setProperty("controlId", 1886);
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({CVelmoraWrap::LoadString(FrameText::SupportPhone),
                             CVelmoraWrap::LoadString(FrameText::SupportVersions)});
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(CVelmoraWrap::LoadString(FrameText::ButtonOk));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);

    m_rows = ReadSupportList();
    for (const QString& row : std::as_const(m_rows)) {
        const QStringList fields = row.split(QLatin1Char('\t'));
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, fields.value(0));
        item->setText(1, fields.mid(1).join(QLatin1Char(' ')).trimmed());
    }
    resize(420, 300);
}

QStringList CPSupport::ParseSupportList(const char* buffer)
{
    QStringList rows;
    if (!buffer)
        return rows;
    QString text = QString::fromLatin1(buffer, int(strnlen(buffer, AGENT_SUPPORT_LIST_SIZE)));
    text.replace(QLatin1Char('@'), QLatin1Char('\t'));
    const QStringList parts = text.split(QLatin1Char('\n'));
    for (int i = 0; i + 1 < parts.size(); ++i)
        rows << parts[i].left(qMax(0, int(parts[i].size()) - 2));
    // A list that ends with a line feed has no last row.
    if (!parts.last().isEmpty())
        rows << parts.last();
    return rows;
}

QStringList CPSupport::ReadSupportList()
{
    char buffer[AGENT_SUPPORT_LIST_SIZE] = {};
    if (AgentGetSupportList(buffer) != 1)
        return QStringList();
    return ParseSupportList(buffer);
}
