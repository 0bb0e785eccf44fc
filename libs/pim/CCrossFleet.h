#pragma once

#include <QString>

// Cross-fleet private identities: urban*fleet*member, three decimal parts of one to five digits.
// Urban and fleet are 0..65535, the member 1..65535 (member 0 addresses nobody). An object is made
// for the identity's own urban and fleet, with which a short form ("member" or "fleet*member") is
// read when the caller allows short forms.
class CCrossFleet
{
public:
    // What ValidateTrinumID answers.
    enum Status : int
    {
        Valid = 0,
        Malformed = 1,     // not urban*fleet*member (a part missing, empty, too long or not digits)
        UrbanRange = 2,    // urban above 65535
        FleetRange = 3,    // fleet above 65535
        MemberRange = 4,   // member 0 or above 65535
        OwnIdsInvalid = 5, // the object's own urban or fleet is out of range
    };
    enum : int
    {
        MaxPart = 65535,
        MaxDigits = 5,
        FullFormOnly = 1, // ValidateTrinumID: the text must give all three parts
        ShortForms = 0,   // ValidateTrinumID: "member" and "fleet*member" take the own ids
        FormatTrinum = 1, // the only identity format there is
    };

    // ownUrban and ownFleet: the identity's own ids; options: reserved, 0; format: FormatTrinum.
    CCrossFleet(int ownUrban, int ownFleet, int options = 0, int format = FormatTrinum);

    // Checks an identity text; mode is FullFormOnly or ShortForms. Valid (0) when it names a member.
    int ValidateTrinumID(const QString& id, int mode) const;

private:
    int m_ownUrban;
    int m_ownFleet;
    int m_options;
    int m_format;
};
