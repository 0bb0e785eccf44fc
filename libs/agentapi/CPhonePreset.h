#pragma once

#include "CVirtualPhone.h"

#include <QList>
#include <QString>
#include <QStringList>

// What a preset needs to know of a model: its catalogue row and its family.
struct CPhoneModelFacts
{
    struct SubModel
    {
        int subRelease = 0; // 1..26
        int release = 0;
    };

    int modelType = 0;
    QString name;
    QString description;
    int callListType = 0;
    int codeplugId = 0;
    bool crossFleetCapable = false;
    int crossFleetCPVersion = 0;
    bool plusSeries = false;
    int phoneClass = 1;        // 1 ordinary, 2 q700 SIM family, 3 Alder platform
    QList<SubModel> subModels; // for models whose sub-models are listed by release
};

// Choices for one phone made from a preset; -1 and empty values take the preset's defaults.
struct CPhonePresetOptions
{
    int release = -1;    // default: the first sub-model's release, else 1
    int subRelease = -1; // 1..26 ('A'..'Z'), 0 none; default: the first sub-model's, else 1
    QString imei;        // default: made from the model type and the serial
    int serial = 1;      // distinguishes phones of one model (IMEI, names, numbers)
    QString userName;
    QStringList numbers; // NAM 1..3
    int simKind = -1;    // 1..3; default 3 for the Alder platform, else 2
    QString pin;         // empty: no PIN lock
    int simStatus = -1;  // default 2 (PIN needed) with a PIN, else 4
    int structureVersion = -1;
    int defaultVersion = -1;
    bool crossFleet = true; // for a cross-fleet capable model: a phone with the cross-fleet codeplug
};

// Builds virtual phones of every catalogue model: every item reading, writing, SIM handling and
// list blocks use, sized as those operations expect, with plausible contents and a list block of
// the model's layout.
class CPhonePreset
{
public:
    enum : int
    {
        DefaultStructureVersion = 0x18,
        DefaultDefaultVersion = 0x0B,
        ShortcutCapacity = 20,
        QuickNoteLength = 64,
        StyleNameLength = 16,
        UserNameLength = 20,
        CommentLength = 64,
        NumberLength = 21,
        OnlineIdLength = 32,
    };

    // The call list type a phone of the model and release uses (8 for release 39 of model 90).
    static int EffectiveCallListType(const CPhoneModelFacts& facts, int release);
    // Whether the phone carries a SIM: the q700 and Alder families, and every model keeping its
    // lists on the SIM.
    static bool HasSim(const CPhoneModelFacts& facts);
    // NAMs of a call list type: 1 for types 3 and 7, else 3.
    static int NamCount(int callListType);
    static int MenuSlots(int modelType);
    // Every item a style uses, as offsets from its first (CodeplugItem::StyleItem).
    static QList<int> StyleItems(int style);
    // An IMEI for the serial: a valid check digit for a SIM phone, a final 0 for the others
    // (which report their IMEI that way).
    static QString MakeImei(int modelType, int serial, bool simPhone);

    static bool Build(const CPhoneModelFacts& facts, const CPhonePresetOptions& options, CVirtualPhone& phone,
                      QString* why);
};
