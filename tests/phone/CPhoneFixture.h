#pragma once

#include "CBenchFixture.h"
#include "CModelCatalogue.h"
#include "CModelRules.h"
#include "CPhoneSettings.h"
#include "IPhoneCommandHost.h"
#include "ISimPinPrompt.h"

#include <QSqlDatabase>
#include <QStringList>
#include <functional>
#include <memory>

class CFleetContext;
class CProcessPhone;
class CVelmoraDoc;

// Stands in for the user at the PIN question: gives the scripted PINs in order; a null entry (or an
// empty script) is a cancel.
class CScriptedPin : public ISimPinPrompt
{
public:
    bool AskPin(QString& pin) override;
    QStringList script;
    int asked = 0;
};

// Stands in for the main window: records waits, status texts and the notices it was asked to show;
// messages go to the scripted answerer, as the program's message box would show them.
class CScriptedHost : public IPhoneCommandHost
{
public:
    CVelmoraDoc* ActiveFleet() override { return active; }
    CVelmoraDoc* NewFleet() override;
    void BeginWait() override;
    void EndWait() override;
    void SetStatusText(const QString& text) override { statusTexts << text; }
    void ShowNoCPSupport() override { ++noSupportShown; }
    void Report(const CVelmoraError& error) override;
    void SetSimKind(int kind) override { simKind = kind; }
    void ShowUnitsView(CVelmoraDoc&, const QString& imei) override
    {
        ++unitsShown;
        unitsShownImei = imei;
    }
    ISimPinPrompt* PinPrompt() override { return pin; }
    bool StorePendingEdits(CVelmoraDoc& document) override
    {
        ++pendingStored;
        return storePending ? storePending(document) : true;
    }

    CFleetContext* context = nullptr;
    CVelmoraDoc* active = nullptr;
    std::vector<std::unique_ptr<CVelmoraDoc>> made; // new fleets
    ISimPinPrompt* pin = nullptr;
    int depth = 0;
    int maxDepth = 0;
    int waits = 0;
    QStringList statusTexts;
    // The status text as each message came up.
    QStringList statusAtMessages;
    int noSupportShown = 0;
    int simKind = 0;
    int unitsShown = 0;
    QString unitsShownImei;
    // What the units grids do when asked to store what is typed; nothing by default.
    std::function<bool(CVelmoraDoc&)> storePending;
    int pendingStored = 0;
};

// A bench of catalogue phones, the shipped model rules and the settings a phone operation needs, for
// one test at a time.
class CPhoneFixture
{
public:
    CPhoneFixture();
    ~CPhoneFixture();

    // A fresh bench with the link open, waits recorded, messages and PIN script cleared.
    void Start();

    CBenchFixture& Bench() { return m_bench; }
    QList<int>& Delays() { return m_bench.Delays(); }
    const CModelRules& Rules() const { return m_rules; }
    CPhoneSettings& Settings() { return m_settings; }
    CScriptedPin& Pin() { return m_pin; }
    const CModelCatalogue& Catalogue() const { return m_catalogue; }
    CPhoneModelFacts Facts(int modelType) const;
    QList<int> ModelTypes() const;

    // Makes a phone of a catalogue model on the bench and puts it on the cable.
    QString Plug(int modelType, CPhonePresetOptions options = {}, const QString& name = QString());
    // Switches a fault on in the phone file.
    void AddFault(const QString& name, const QString& target, int code, int remaining = 0);
    CVirtualPhone Load(const QString& name) const { return m_bench.Load(name); }
    void Save(const QString& name, const CVirtualPhone& phone) const;

    // Reads the phone on the cable into a scratch database; nullptr when the read failed.
    std::unique_ptr<CProcessPhone> Read();

    // New fleet documents that close at the end of the test.
    CVelmoraDoc* NewFleet();
    CFleetContext& Context() { return *m_context; }
    CScriptedHost& Host() { return m_host; }

    static int Count(const QSqlDatabase& db, const QString& table, const QString& imei);

private:
    CBenchFixture m_bench;
    QSqlDatabase m_appDb;
    CModelRules m_rules;
    CModelCatalogue m_catalogue;
    CPhoneSettings m_settings;
    CScriptedPin m_pin;
    std::unique_ptr<CFleetContext> m_context;
    CScriptedHost m_host;
};
