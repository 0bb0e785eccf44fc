#include "CCliCopyCommand.h"

#include "CCliAnswerer.h"
#include "CCliArguments.h"
#include "CCliContext.h"
#include "CCliPhoneHost.h"
#include "CCliTexts.h"
#include "CCopyLog.h"
#include "CCopySource.h"
#include "CCopyWizardState.h"
#include "CCopyWriter.h"
#include "CFleetSnapshot.h"
#include "CModelRules.h"
#include "CPhoneSettings.h"
#include "CProcessPhone.h"
#include "CVelmoraApp.h"
#include "CVelmoraWrap.h"
#include "CliMessageIds.h"
#include "CopyWizardIds.h"

#include <QDateTime>
#include <QTextStream>
#include <algorithm>

namespace {

// Checks the items the list names; the message of the first it cannot take, or empty.
QString CheckItems(CCopyItems& items, const QString& list)
{
    QStringList known;
    for (const CCopyItems::Item& item : items.Items())
        known << CCopyItems::Key(item);
    for (const QString& key : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int index = items.IndexOfKey(key);
        if (index < 0)
            return CCliTexts::Text(CopyWizText::CliUnknownItem,
                                   {key.trimmed(), known.join(QLatin1Char(','))});
        if (!items.SetChecked(index, true))
            return CCliTexts::Text(CopyWizText::CliItemDisabled, {key.trimmed()});
    }
    return QString();
}

} // namespace

int CCliCopyCommand::Run()
{
    const CCliArguments& a = m_cx.args;
    const QString path = a.Operand(0);
    const QString imei = a.Operand(1);
    if (a.Value(QStringLiteral("--items")).trimmed().isEmpty())
        return m_cx.Fail(CCliTexts::Text(CopyWizMsg::NothingChecked));
    // The fleet is only read: the source is a private copy, so the file keeps its form.
    CFleetSnapshot snapshot;
    QString why;
    if (!snapshot.Open(path, m_cx.Settings(), m_cx.answerer, true, why))
        return why.isEmpty() ? m_cx.Failed(CCliTexts::Text(CliMsg::CannotRead, {path})) : m_cx.Fail(why);
    snapshot.Close();

    const CPhoneSettings settings = CPhoneSettings::FromApp();
    const CModelRules& rules = m_cx.app.ModelRules();
    CCliPhoneHost host(m_cx.err, nullptr);
    host.SetPin(a.Value(QStringLiteral("--pin")), a.HasValue(QStringLiteral("--pin")), true);
    CCopyWizardState state;
    CCopySource source(settings, rules, host);
    QList<CCopySource::Choice> choices;
    CVelmoraError error = source.OpenFile(state, snapshot.CopyPath());
    if (!error)
        error = CCopySource::ListUnits(state.Source()->Database(), choices);
    if (error) {
        host.Report(error);
        return m_cx.Failed(CCliTexts::Text(CliMsg::CannotRead, {path}));
    }
    const auto chosen = std::find_if(choices.begin(), choices.end(),
                                     [&imei](const CCopySource::Choice& c) { return c.imei == imei; });
    if (chosen == choices.end())
        return m_cx.Fail(CCliTexts::Text(CliMsg::NoSuchUnit, {path, imei}));
    if ((error = source.Choose(state, chosen->imei, chosen->modelText))) {
        host.Report(error);
        return m_cx.Failed(CCliTexts::Text(CliMsg::NothingWritten));
    }
    state.ApplyModelRules(rules);
    // The check list of the carrier's NAM count, as the wizard shows it.
    state.EnsureItems(m_cx.app.ServiceProviderNam());
    const QString refused = CheckItems(state.items, a.Value(QStringLiteral("--items")));
    if (!refused.isEmpty())
        return m_cx.Fail(refused);
    CWriteFlags flags;
    if ((error = state.items.Flags(flags))) {
        host.Report(error);
        return m_cx.Failed(CCliTexts::Text(CliMsg::NothingWritten));
    }

    CCopyWriter writer(settings, rules, host);
    const CCopyWriter::Outcome outcome = writer.Write(state, flags, a.Has(QStringLiteral("--reset")), host);
    if (!outcome.written)
        host.Report(outcome.error);
    CCopyLog::Line line;
    line.time = QDateTime::currentDateTime();
    line.imei = outcome.imei;
    line.model = outcome.modelType ? QString::number(outcome.modelType) : QString();
    line.written = outcome.written;
    line.result = outcome.written ? CCliTexts::Text(CopyWizText::ResultWritten)
                  : outcome.error.IsCancelled()
                      ? CCliTexts::Text(CopyWizText::ResultCancelled)
                      : CCliTexts::Text(CopyWizText::ResultFailed, {outcome.error.ToText().simplified()});
    line.backupFile = outcome.written ? outcome.backupFile : QString();
    m_cx.out << CCopyLog::Format(line, QStringLiteral("\t")) << '\n';
    return outcome.written ? m_cx.Result() : 1;
}
