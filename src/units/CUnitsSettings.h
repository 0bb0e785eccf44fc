#pragma once

#include <QFont>
#include <QString>

class CModelRules;

// What the units grid takes from the application: the model rules and choice list, the label of
// the fax column, the grid fonts and the reading direction.
struct CUnitsSettings
{
    const CModelRules* rules = nullptr; // the catalogue, not owned; nullptr: no model-dependent rules apply
    QString modelList;                  // "name\tvalue\n" lines of the model column
    QString faxLabel;                   // fills the fax column's caption
    QFont gridFont;
    QFont gridFont2; // the private id column
    bool hasFonts = false;
    bool rightToLeft = false;
};
