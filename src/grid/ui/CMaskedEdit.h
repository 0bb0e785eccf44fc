#pragma once

#include "CTarnMasks.h"

#include <QLineEdit>

// A line edit that types through a mask: each position takes only what its mask character
// accepts (in the case the mask stores), literals are kept in place and skipped. Masks without
// literals edit like a plain field limited to the mask's length.
class CMaskedEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CMaskedEdit(QWidget* parent = nullptr);

    void SetMasks(const CTarnMasks& masks);
    const CTarnMasks& Masks() const { return m_masks; }
    void SetPrompt(QChar prompt);
    QChar Prompt() const { return m_prompt; }

    // The characters of the mask positions, in order, without literals; untyped positions of a
    // mask with literals are blanks, and a mask without literals gives what was typed.
    QString Value() const;
    void SetValue(const QString& value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool Positional() const { return m_masks.HasLiterals(); }
    void TypeChar(QChar c);
    void Erase(bool backwards);
    void ClearSelection();
    void UpdateValidator();

    CTarnMasks m_masks;
    QChar m_prompt = QLatin1Char('_');
};
