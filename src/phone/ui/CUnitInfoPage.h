#pragma once

#include <QList>
#include <QWidget>

class QFormLayout;
class QLineEdit;

// A read-only page of the unit property sheet: rows of a caption and a text field, each field
// carrying its control id. The sheet calls OnInitDialog when it shows the page.
class CUnitInfoPage : public QWidget
{
    Q_OBJECT
public:
    explicit CUnitInfoPage(const QString& imei, QWidget* parent = nullptr);

    QString Imei() const { return m_imei; }
    // Fills the fields from the open fleet; fields stay empty when the unit is not there.
    virtual void OnInitDialog() = 0;
    // The field of a control id, or nullptr.
    QLineEdit* Field(int controlId) const;

protected:
    QLineEdit* AddField(int captionId, int controlId);
    void SetField(int controlId, const QString& text);

private:
    QString m_imei;
    QFormLayout* m_form = nullptr;
    QList<QLineEdit*> m_fields;
};
