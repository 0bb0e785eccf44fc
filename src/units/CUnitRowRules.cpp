#include "CUnitRowRules.h"

#include "CGridCellCheck.h"
#include "CModelRules.h"
#include "CPhoneTextCodec.h"
#include "CTrinumId.h"
#include "CUnitsColumns.h"
#include "UnitsMessageIds.h"

namespace {

using C = CUnitsColumns;

QString& Cell(QStringList& cells, int col)
{
    return cells[col - 1];
}

bool Digits(const QString& text, int maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString Dotted(const int parts[4])
{
    return QStringLiteral("%1.%2.%3.%4").arg(parts[0]).arg(parts[1]).arg(parts[2]).arg(parts[3]);
}

} // namespace

bool CUnitRowRules::IsCrossFleetText(const QString& text)
{
    const QString t = text.trimmed();
    return t == QLatin1String("1") || t.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
}

qint64 CUnitRowRules::Number(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok ? value : 0;
}

CGridCheckResult CUnitRowRules::CheckIp(const QString& text, QString* normalised)
{
    if (text.isEmpty()) {
        if (normalised)
            normalised->clear();
        return CGridCheckResult::Pass();
    }
    const CGridCheckResult invalid = CGridCheckResult::Fail(UnitsMsg::InvalidIp);
    if (text == QLatin1String("0.0.0.0"))
        return invalid;
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return invalid;
    int values[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        // Leading zeros are allowed ("010"); ten digits would no longer be a number of this kind.
        if (!Digits(parts[i], 9))
            return invalid;
        values[i] = parts[i].toInt();
    }
    if (values[0] < 1 || values[0] > 223)
        return invalid;
    for (int i = 1; i < 4; ++i) {
        if (values[i] > 255)
            return invalid;
    }
    if (normalised)
        *normalised = Dotted(values);
    return CGridCheckResult::Pass();
}

QString CUnitRowRules::NormaliseStoredIp(const QString& stored)
{
    QStringList parts;
    if (stored.contains(QLatin1Char('.'))) {
        parts = stored.split(QLatin1Char('.'));
    } else if (stored.size() == 12) {
        // The address control keeps an address as four groups of three digits.
        for (int i = 0; i < 12; i += 3)
            parts << stored.mid(i, 3);
    }
    if (parts.size() != 4)
        return stored;
    int values[4];
    bool any = false;
    for (int i = 0; i < 4; ++i) {
        if (!Digits(parts[i], 9))
            return stored;
        values[i] = parts[i].toInt();
        any = any || values[i] != 0;
    }
    return any ? Dotted(values) : QString();
}

CGridCheckResult CUnitRowRules::CheckPrivateId(const QString& text, bool crossFleet)
{
    if (text.isEmpty())
        return CGridCheckResult::Pass();
    if (!crossFleet) {
        const CGridCheckResult outOfRange =
            CGridCheckResult::Fail(UnitsMsg::OutOfRange, {QStringLiteral("1"), QStringLiteral("65535")});
        if (!Digits(text, 9))
            return outOfRange;
        const int value = text.toInt();
        return value >= 1 && value <= 65535 ? CGridCheckResult::Pass() : outOfRange;
    }
    if (text.count(QLatin1Char('*')) != 2 || !CTrinumId::IsValid(text))
        return CGridCheckResult::Fail(UnitsMsg::InvalidTrinum);
    return CGridCheckResult::Pass();
}

void CUnitRowRules::SplitPrivateId(QStringList& cells)
{
    int nam = int(Number(Cell(cells, C::CurrentNam)));
    if (nam == 0) {
        nam = 1;
        Cell(cells, C::CurrentNam) = QStringLiteral("1");
    }
    if (nam < 1 || nam > 3)
        return; // a NAM the phone does not have: nothing to fill
    QString& shown = Cell(cells, C::DisplayPrivateId);
    if (!shown.contains(QLatin1Char('*'))) {
        if (shown == QLatin1String("0"))
            shown.clear();
        Cell(cells, C::Nam1PrivateId + nam - 1) = shown.isEmpty() ? QStringLiteral("0") : shown;
        return;
    }
    const QStringList parts = shown.split(QLatin1Char('*'));
    const int first = C::Nam1Urban + (nam - 1) * 3;
    for (int i = 0; i < 3; ++i)
        Cell(cells, first + i) = QString::number(Number(parts.value(i)));
}

bool CUnitRowRules::ModelOfKey(const QString& key, int& modelType)
{
    const QString text = key.trimmed();
    if (text.isEmpty() || text == QLatin1String("-1"))
        return false;
    bool ok = false;
    if (!text.contains(QLatin1Char('-'))) {
        modelType = text.toInt(&ok);
        return ok;
    }
    QString bare = text;
    bare.remove(QLatin1Char('-'));
    const QStringList parts = bare.split(QLatin1Char('#'));
    if (parts.size() != 3)
        return false;
    modelType = parts[2].toInt(&ok);
    return ok;
}

void CUnitRowRules::SplitModelKey(QStringList& cells)
{
    QString& model = Cell(cells, C::ModelType);
    if (!model.contains(QLatin1Char('-')))
        return;
    QString bare = model;
    bare.remove(QLatin1Char('-'));
    const QStringList parts = bare.split(QLatin1Char('#'));
    if (parts.size() != 3)
        return;
    model = parts[2];
    QString& sub = Cell(cells, C::SubReleaseId);
    if (parts[0].isEmpty() || Number(sub) < 1)
        sub = parts[0];
    QString& release = Cell(cells, C::ReleaseId);
    if (parts[1].isEmpty() || Number(release) < 1) {
        release = parts[1];
        Cell(cells, C::DefCallListLang) =
            QString::number(CModelRules::DefaultCallListLanguage(int(Number(release))));
    }
}

QString CUnitRowRules::ModelCellText(const QStringList& cells, const CModelRules* rules)
{
    const QString model = cells.value(C::ModelType - 1);
    bool ok = false;
    const int type = model.toInt(&ok);
    if (!ok || !rules || !rules->HasSubReleases(type))
        return model;
    return CModelRules::SubModelKey(int(Number(cells.value(C::SubReleaseId - 1))),
                                    int(Number(cells.value(C::ReleaseId - 1))), type);
}

int CUnitRowRules::UserNameCodePage(const QStringList& cells, bool hebrewInterface)
{
    QStringList row = cells;
    int model = 0;
    if (!ModelOfKey(row.value(C::ModelType - 1), model))
        return 0;
    SplitModelKey(row);
    const qint64 release = Number(row.value(C::ReleaseId - 1));
    const int language = release >= 1 ? CModelRules::DefaultCallListLanguage(int(release))
                                      : int(Number(row.value(C::DefCallListLang - 1)));
    return CPhoneTextCodec::ForUnit(language, hebrewInterface).Page();
}

CGridCheckResult CUnitRowRules::CheckUserNameText(const QStringList& cells, bool hebrewInterface)
{
    const QString name = cells.value(C::UserName - 1);
    const int page = UserNameCodePage(cells, hebrewInterface);
    if (page != 0)
        return CGridCellCheck::PhoneText(name, page);
    // The model decides the page: until it is chosen, only what no phone could show is refused.
    const CGridCheckResult hebrew = CGridCellCheck::PhoneText(name, CPhoneTextCodec::Hebrew);
    const CGridCheckResult latin = CGridCellCheck::PhoneText(name, CPhoneTextCodec::Latin);
    if (hebrew.ok || latin.ok)
        return CGridCheckResult::Pass();
    return hebrewInterface ? hebrew : latin;
}
