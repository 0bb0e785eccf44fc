#pragma once

#include "CPrivateIdForm.h"
#include "CVelmoraError.h"

#include <QString>

// The number types of the consolidated call list (0..9) and the check of a number of each type.
// Type 1 is a private id, 7 a talkgroup, 8 an IP address; every other type is a phone number.
class CConsolNumberType
{
public:
    enum : int
    {
        PhoneNumber = 0, // the type a plain phone number takes (mobile)
        PrivateId = 1,
        Talkgroup = 7,
        IpAddress = 8,
        FirstType = 0,
        LastType = 9,
        Unset = -1,            // the grid's type cell before a type is chosen
        FirstCaptionId = 1885, // captions 1885..1894 for types 0..9
    };
    enum : int
    {
        MsgPrivateRange = 1645,  // "1", "65535"
        MsgInvalidTrinum = 1854, // cross-fleet private id
        MsgNoTalkgroup = 1822,
        MsgBadTalkgroup = 1823,
        MsgNoIp = 1824,
        MsgBadIp = 1825,
        MsgIpChars = 1826,
    };

    static bool IsValid(int type) { return type >= FirstType && type <= LastType; }
    static bool IsPhoneNumber(int type)
    {
        return IsValid(type) && type != PrivateId && type != Talkgroup && type != IpAddress;
    }
    // The caption id of a type (1885..1894), 0 for another value.
    static int CaptionId(int type) { return IsValid(type) ? FirstCaptionId + type : 0; }
    // The grid's choice list of the ten types ("caption\ttype\n" lines) in the running language.
    static QString Choices();

    // The check of a number of a type. privateIds reads private ids as the unit's cross-fleet
    // setting does: on, urban*fleet*member (short forms with the own ids) by the Trinum check, else
    // 1854; off, the member alone 1..65535, else 1645. Talkgroups 1..255, at most 3 characters
    // (1822 empty, else 1823). IP addresses a.b.c.d of digits, each below 256 (1824 empty, 1826 for a
    // character other than a digit or ".", else 1825). Phone numbers: empty passes, else the dial
    // string rule.
    static CVelmoraError CheckNumber(int type, const QString& number, const CPrivateIdForm& privateIds);
    static CVelmoraError CheckTalkgroup(const QString& number);
    static CVelmoraError CheckIpAddress(const QString& number);
    static CVelmoraError CheckPrivateId(const QString& number, const CPrivateIdForm& privateIds);

    // How a private id is written as a consolidated number: "urban*fleet*member", or the member
    // alone when urban and fleet are both 0 (the form the phone reads back).
    static QString PrivateIdText(int urban, int fleet, int member);
};
