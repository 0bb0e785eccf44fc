#pragma once

#include <QString>

// Reads the model lists that the model rules test a model type against: the "Models" text of an
// ergonomic rule row ("1-5,9", "All", empty) and the "#n#" lists of the carrier settings.
class CModelListParser
{
public:
    // True when modelType is in a rule row's Models text: empty or "All" holds every model; otherwise
    // decimal numbers and inclusive ranges "a-b" separated by commas, anything that is not a digit
    // before a number skipped, at most three digits to a number, compared with the low 16 bits of
    // modelType.
    static bool Matches(const QString& models, int modelType);

    // True when "#<modelType>#" occurs in a carrier model list such as "#105#110#".
    static bool ListHas(const QString& list, int modelType);
};
