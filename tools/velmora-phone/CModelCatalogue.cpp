#include "CModelCatalogue.h"

#include "CIniFile.h"
#include "PhoneToolMessageIds.h"
#include "PhoneToolText.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// Removes the connection however Load leaves.
class CConnectionGuard
{
public:
    explicit CConnectionGuard(const QString& name) : m_name(name) {}
    ~CConnectionGuard() { QSqlDatabase::removeDatabase(m_name); }

private:
    QString m_name;
};

} // namespace

bool CModelCatalogue::InList(const QString& list, int modelType)
{
    return list.contains(QStringLiteral("#%1#").arg(modelType));
}

bool CModelCatalogue::ParseSubModel(const QString& text, int& subRelease, int& release, int& modelType)
{
    QString body = text.trimmed();
    if (body.startsWith(QLatin1Char('-')))
        body = body.mid(1);
    const QStringList parts = body.split(QLatin1Char('#'));
    if (parts.size() != 3)
        return false;
    bool ok1 = false, ok2 = false, ok3 = false;
    subRelease = parts.at(0).toInt(&ok1);
    release = parts.at(1).toInt(&ok2);
    modelType = parts.at(2).toInt(&ok3);
    return ok1 && ok2 && ok3;
}

const CPhoneModelFacts* CModelCatalogue::Find(int modelType) const
{
    for (const CPhoneModelFacts& facts : m_models) {
        if (facts.modelType == modelType)
            return &facts;
    }
    return nullptr;
}

bool CModelCatalogue::Load(const QString& appDatabase, const QString& carrierIni, QString* why)
{
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (!QFileInfo(appDatabase).isFile())
        return fail(PhoneToolText(PhoneToolMsg::NoAppDatabase, {appDatabase}));
    CIniFile ini;
    if (!ini.Load(carrierIni))
        return fail(PhoneToolText(PhoneToolMsg::CarrierUnreadable, {carrierIni, ini.ErrorString()}));
    QString alder, q700, international;
    const QString section = QStringLiteral("International Models");
    ini.Value(section, QStringLiteral("AlderModels"), alder);
    ini.Value(section, QStringLiteral("Q700PhoneModels"), q700);
    ini.Value(section, QStringLiteral("InternationalPhones"), international);

    QList<CPhoneModelFacts> models;
    {
        static int connections = 0;
        const QString name = QStringLiteral("velmora-phone-catalogue-%1").arg(++connections);
        const CConnectionGuard guard(name);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(appDatabase);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open())
            return fail(
                PhoneToolText(PhoneToolMsg::AppDatabaseUnusable, {appDatabase, db.lastError().text()}));
        {
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral(
                    "SELECT ModelType, display_model_name, ModelDescription, CallListType, codeplug_id, "
                    "CrossFleetCapable, CrossFleetCPVersion, IsPlusSeriesPhone FROM radio_model_types_table "
                    "ORDER BY ModelType")))
                return fail(PhoneToolText(PhoneToolMsg::CatalogueUnreadable,
                                          {appDatabase, query.lastError().text()}));
            while (query.next()) {
                CPhoneModelFacts facts;
                facts.modelType = query.value(0).toInt();
                facts.name = query.value(1).toString();
                facts.description = query.value(2).toString();
                facts.callListType = query.value(3).toInt();
                facts.codeplugId = query.value(4).toInt();
                facts.crossFleetCapable = query.value(5).toInt() != 0;
                facts.crossFleetCPVersion = query.value(6).toInt();
                facts.plusSeries = query.value(7).toInt() != 0;
                facts.phoneClass =
                    InList(alder, facts.modelType) ? 3 : (InList(q700, facts.modelType) ? 2 : 1);
                models.append(facts);
            }
        }
        db.close();
    }
    if (models.isEmpty())
        return fail(PhoneToolText(PhoneToolMsg::CatalogueEmpty, {appDatabase}));

    // Sub-models of the international models: a phone of such a model is only supported with the
    // sub-release and release of one of them.
    QString total;
    ini.Value(QStringLiteral("SubId Rel_Models"), QStringLiteral("Total SubModels"), total);
    for (int i = 0; i <= total.toInt(); ++i) {
        QString value;
        int subRelease = 0, release = 0, modelType = 0;
        if (!ini.Value(QStringLiteral("SubId Rel_Models"), QStringLiteral("RelModel%1").arg(i), value) ||
            !ParseSubModel(value, subRelease, release, modelType) || !InList(international, modelType))
            continue;
        for (CPhoneModelFacts& facts : models) {
            if (facts.modelType == modelType)
                facts.subModels.append({subRelease, release});
        }
    }
    m_models = models;
    return true;
}
