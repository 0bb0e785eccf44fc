#pragma once

#include "CPhonePreset.h"

#include <QList>
#include <QString>

// A fresh bench for each test, phones made from hand-written model facts, and a recording clock.
class CBenchFixture
{
public:
    // New bench folder, link closed, delay recorded instead of waited.
    void Start();
    QString Bench() const { return m_bench; }
    QList<int>& Delays() { return m_delays; }

    static CPhoneModelFacts Plain(int modelType = 10, int callListType = 0);
    static CPhoneModelFacts CrossFleet(int modelType = 12, int callListType = 0, int cpVersion = 0);
    static CPhoneModelFacts Q700(int modelType = 70);
    static CPhoneModelFacts Alder(int modelType = 114);

    // Makes the phone on the bench (file "<name>.phone"); answers its path.
    QString Make(const QString& name, const CPhoneModelFacts& facts, CPhonePresetOptions options = {});
    bool Connect(const QString& name) const;
    CVirtualPhone Load(const QString& name) const;
    QString PathOf(const QString& name) const;

private:
    QString m_bench;
    QList<int> m_delays;
};
