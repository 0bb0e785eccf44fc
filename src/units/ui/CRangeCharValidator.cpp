#include "CRangeCharValidator.h"

CRangeCharValidator::CRangeCharValidator(const QString& rangeList, QObject* parent)
    : QValidator(parent), m_chars(rangeList, CRangeParser::CharacterMode)
{
}

QValidator::State CRangeCharValidator::validate(QString& input, int&) const
{
    return m_chars.ContainsAll(input) ? Acceptable : Invalid;
}
