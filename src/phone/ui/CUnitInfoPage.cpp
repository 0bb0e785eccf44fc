#include "CUnitInfoPage.h"

#include "CVelmoraWrap.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CUnitInfoPage::CUnitInfoPage(const QString& imei, QWidget* parent) : QWidget(parent), m_imei(imei)
{
    auto* layout = new QVBoxLayout(this);
    m_form = new QFormLayout;
    layout->addLayout(m_form);
    layout->addStretch();
}

QLineEdit* CUnitInfoPage::AddField(int captionId, int controlId)
{
    auto* field = new QLineEdit(this);
    field->setReadOnly(true);
    field->setProperty("controlId", controlId);
    m_form->addRow(CVelmoraWrap::LoadString(captionId), field);
    m_fields.append(field);
    return field;
}

QLineEdit* CUnitInfoPage::Field(int controlId) const
{
    for (QLineEdit* field : m_fields) {
        if (field->property("controlId").toInt() == controlId)
            return field;
    }
    return nullptr;
}

void CUnitInfoPage::SetField(int controlId, const QString& text)
{
    if (QLineEdit* field = Field(controlId)) {
        field->setText(text);
        field->setCursorPosition(0);
    }
}
