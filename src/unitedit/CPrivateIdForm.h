#pragma once

#include "CVelmoraError.h"

#include <QString>

// How the private-call list shows and reads private ids. With cross-fleet on, an id is
// urban*fleet*member and the list shows it short: the parts that are the unit's own (or 0) are left
// out, so "5" is a member of the own fleet and "30*5" a member of fleet 30 of the own urban. Typed ids
// are expanded with the own ids, checked by the PIM library's Trinum check and shown short again.
// With cross-fleet off an id is the member alone, 1..65535.
class CPrivateIdForm
{
public:
    enum : int
    {
        MinId = 1,
        MaxId = 65535,
        MsgInvalidTrinum = 1854, // not urban*fleet*member
    };

    // The three stored parts of an id.
    struct Id
    {
        int urban = 0;
        int fleet = 0;
        int member = 0;
        bool operator==(const Id& o) const
        {
            return urban == o.urban && fleet == o.fleet && member == o.member;
        }
    };

    // What a typed id reads as: the parts to store and the text the cell shows from now on, or why it
    // was refused.
    struct Reading
    {
        CVelmoraError error;
        Id id;
        QString shortForm;
    };

    CPrivateIdForm() = default;
    CPrivateIdForm(bool crossFleet, int ownUrban, int ownFleet);

    bool CrossFleet() const { return m_crossFleet; }
    int OwnUrban() const { return m_ownUrban; }
    int OwnFleet() const { return m_ownFleet; }

    // The text a stored id is shown as.
    QString Display(const Id& id) const;
    // Reads a typed id (blanks around it aside). Cross-fleet off: a number 1..65535, else 1645 with
    // the bounds. Cross-fleet on: "member", "fleet*member" or "urban*fleet*member", else 1854.
    Reading Read(const QString& text) const;

private:
    QString ShortForm(const Id& id) const;

    bool m_crossFleet = false;
    int m_ownUrban = 0;
    int m_ownFleet = 0;
};
