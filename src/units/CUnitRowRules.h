#pragma once

#include "CGridCheckResult.h"

#include <QString>
#include <QStringList>

class CModelRules;

// The rules of the units grid that read and rewrite cell texts: IP addresses, private ids and the
// model key. A row is a list of the 33 cell texts, index = grid column - 1.
class CUnitRowRules
{
public:
    // "1" or "TRUE" (in any case) means cross-fleet calling is on.
    static bool IsCrossFleetText(const QString& text);

    // --- IP address ---
    // The typed address: empty passes; otherwise four dotted numbers, the first 1..223, the others
    // 0..255 (so 0.0.0.0 fails). On success *normalised gets "%d.%d.%d.%d" (leading zeros gone).
    static CGridCheckResult CheckIp(const QString& text, QString* normalised = nullptr);
    // How a stored address is shown and stored again: four numbers, dotted or kept as the address
    // control's twelve digits, become "%d.%d.%d.%d", or empty when all four are 0. Anything else is
    // left as it is.
    static QString NormaliseStoredIp(const QString& stored);

    // --- Private id ---
    // Without cross-fleet: empty, or a number 1..65535 (1645 with "1" and "65535"). With cross-fleet:
    // empty, or a valid urban*fleet*member identity (1854).
    static CGridCheckResult CheckPrivateId(const QString& text, bool crossFleet);
    // Puts the shown private id into the fields of the current NAM (set to 1 when it is 0): a plain
    // number into unit_namN_private_id ("0" empties the cell and stores 0), an identity into the
    // urban, fleet and member fields of that NAM.
    static void SplitPrivateId(QStringList& cells);

    // --- Model key ---
    // The model type of a model cell: the number itself, or the last part of a sub-model key
    // "-sub#release#model". False for "-1", an empty cell or a text that is neither.
    static bool ModelOfKey(const QString& key, int& modelType);
    // A sub-model key in the model cell is split: the cell gets the model type; the sub-release and
    // release fields take their parts unless they hold a value already (the part empty, or the field
    // below 1, lets it through); a release so set also sets the default call-list language.
    static void SplitModelKey(QStringList& cells);
    // The model cell text of a stored unit: its sub-model key for a model with sub-releases, else the
    // model number (what the model choice list holds for it).
    static QString ModelCellText(const QStringList& cells, const CModelRules* rules);

    // A cell's number (0 for empty or unreadable text).
    static qint64 Number(const QString& text);

    // --- User name ---
    // The code page the user name goes to the phone in: that of the default call-list language of
    // the row's release (the model key's when it is not split yet), else of the interface language;
    // 0 while no model is chosen.
    static int UserNameCodePage(const QStringList& cells, bool hebrewInterface);
    // The user name against that page (with no model chosen yet, a character either page holds
    // passes); the message names the first character refused.
    static CGridCheckResult CheckUserNameText(const QStringList& cells, bool hebrewInterface);
};
