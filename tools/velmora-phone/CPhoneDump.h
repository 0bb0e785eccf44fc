#pragma once

#include <QStringList>

class CVirtualPhone;
struct CCodeplugItem;

// Text views of a virtual phone for the bench tool: identity, items, list block and SIM block.
class CPhoneDump
{
public:
    static QStringList Identity(const CVirtualPhone& phone);
    static QStringList Items(const CVirtualPhone& phone);
    // Non-empty slots of every region, "region slot: entry".
    static QStringList ListBlock(const CVirtualPhone& phone);
    static QStringList SimBlock(const CVirtualPhone& phone);
    static QStringList Faults(const CVirtualPhone& phone);
    static QString ItemValue(const CCodeplugItem& item);
    static QString SimStatusText(int status);
};
