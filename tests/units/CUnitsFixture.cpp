#include "CUnitsFixture.h"

#include "CTestEnvironment.h"
#include "CUnitsColumns.h"

#include <QSqlQuery>

const CModelRules& CUnitsFixture::Rules()
{
    static CModelRules* rules = [] {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("units_appdb"));
        db.setDatabaseName(CTestEnvironment::ProgramFolder() + QStringLiteral("/VelmoraDB.vdf"));
        db.open();
        auto* r = new CModelRules(db);
        QString list;
        r->BuildModelList(list);
        r->LoadInternationalLists();
        return r;
    }();
    return *rules;
}

CUnitsSettings CUnitsFixture::Settings()
{
    CUnitsSettings s;
    s.rules = &Rules();
    s.modelList = Rules().ModelList();
    s.faxLabel = QStringLiteral("Fax");
    return s;
}

std::unique_ptr<CVelmoraDoc> CUnitsFixture::OpenFleet(const QString& name, const QList<CUnitSpec>& units)
{
    if (!m_context)
        m_context = std::make_unique<CFleetContext>(CFleetFixtures::Settings());
    const QString path = CTestEnvironment::NewFolder(QStringLiteral("fleet")) + QLatin1Char('/') + name;
    if (!CFleetFixtures::MakeFleet(path, units))
        return nullptr;
    auto doc = std::make_unique<CVelmoraDoc>(*m_context);
    return doc->OnOpenDocument(path, CShowErrors()) ? std::move(doc) : nullptr;
}

QStringList CUnitsFixture::Row(const QList<QPair<int, QString>>& cells)
{
    QStringList row;
    for (int col = 1; col <= CUnitsColumns::Count; ++col)
        row << CUnitsColumns::InitialValue(col);
    for (const auto& cell : cells)
        row[cell.first - 1] = cell.second;
    return row;
}

QStringList CUnitsFixture::GoodRow(const QString& imei)
{
    return Row({{CUnitsColumns::UserName, QStringLiteral("Ann")},
                {CUnitsColumns::Imei, imei},
                {CUnitsColumns::ModelType, QStringLiteral("105")}});
}

int CUnitsFixture::Count(const CVelmoraDoc& doc, const QString& table, const QString& imei)
{
    return CFleetFixtures::Count(doc.Database(), table, imei);
}

QVariant CUnitsFixture::Field(const CVelmoraDoc& doc, const QString& imei, const QString& field,
                              const QString& table)
{
    QSqlQuery query(doc.Database());
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE unit_imei_num = ?").arg(field, table));
    query.addBindValue(imei);
    return query.exec() && query.next() ? query.value(0) : QVariant();
}
