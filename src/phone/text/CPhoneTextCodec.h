#pragma once

#include "CVelmoraError.h"

#include <QByteArray>
#include <QString>

// Phone texts (user names, list names, style names, quick notes) travel in the phone's single-byte
// code page, converted by the platform's converter; nothing is ever replaced by '?'.
// Which page: the language the fleet records for the text chooses it: Hebrew (3) takes code page 1255,
// English (0) and French (1) take 1252, any other id falls back to the next owner's language: a list
// entry to its unit's default call-list language, the unit to the interface language (Hebrew: 1255,
// else 1252). A list entry has a language of its own only where its list keeps one on the phone (SIM
// lists, consolidated entries); entries of other lists take their unit's, so reading decodes them as
// writing encoded them.
class CPhoneTextCodec
{
public:
    enum CodePage : int
    {
        Latin = 1252,
        Hebrew = 1255,
    };
    // Language ids of list rows and of a unit's default call-list language.
    enum : int
    {
        LanguageEnglish = 0,
        LanguageFrench = 1,
        LanguageHebrew = 3,
    };
    enum : int
    {
        MsgCharacterNotInCodePage = 7608, // placeholders: the character, the code page
    };

    explicit CPhoneTextCodec(CodePage page = Latin) : m_page(page) {}

    CodePage Page() const { return m_page; }

    // The page of a language id, or fallback for an id without one.
    static CodePage PageOf(int language, CodePage fallback);
    static CodePage InterfacePage(bool hebrewInterface) { return hebrewInterface ? Hebrew : Latin; }
    // A unit's texts: its default call-list language, else the interface language.
    static CPhoneTextCodec ForUnit(int unitLanguage, bool hebrewInterface);
    // A list entry: its own language when its list keeps one, else its unit's page.
    static CPhoneTextCodec ForEntry(int entryLanguage, CodePage unitPage)
    {
        return CPhoneTextCodec(PageOf(entryLanguage, unitPage));
    }

    // The text's bytes; a character the page cannot hold refuses the whole text with the message
    // naming it, and bytes is left empty.
    CVelmoraError Encode(const QString& text, QByteArray& bytes) const;
    // The text of bytes (without terminator); a byte the page leaves undefined reads as U+FFFD.
    QString Decode(const QByteArray& bytes) const;

    // The first character (a whole code point) of text the page cannot hold, or empty.
    QString Refused(const QString& text) const;
    // Passes, or the message naming the first character the page cannot hold.
    CVelmoraError Check(const QString& text) const;
    // The message of a refused character.
    static CVelmoraError RefusedMessage(const QString& character, CodePage page);

private:
    bool Holds(const QString& text) const;

    CodePage m_page;
};
