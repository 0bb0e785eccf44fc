#pragma once

#include "CRangeParser.h"

#include <QValidator>

// Lets only the characters of a range list ("0-9,#,*") be typed or pasted into a cell editor, so
// the cell check on leaving rarely has anything to refuse.
class CRangeCharValidator : public QValidator
{
    Q_OBJECT

public:
    CRangeCharValidator(const QString& rangeList, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;

private:
    CRangeParser m_chars;
};
