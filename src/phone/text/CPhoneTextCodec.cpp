#include "CPhoneTextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const char* NameOf(CPhoneTextCodec::CodePage page)
{
    return page == CPhoneTextCodec::Hebrew ? "windows-1255" : "windows-1252";
}

} // namespace

CPhoneTextCodec::CodePage CPhoneTextCodec::PageOf(int language, CodePage fallback)
{
    switch (language) {
    case LanguageHebrew:
        return Hebrew;
    case LanguageEnglish:
    case LanguageFrench:
        return Latin;
    default:
        return fallback;
    }
}

CPhoneTextCodec CPhoneTextCodec::ForUnit(int unitLanguage, bool hebrewInterface)
{
    return CPhoneTextCodec(PageOf(unitLanguage, InterfacePage(hebrewInterface)));
}

bool CPhoneTextCodec::Holds(const QString& text) const
{
    // The converter reports what it could not map; the round trip also catches a best-fit mapping
    // that would come back as another character.
    QStringEncoder encoder(NameOf(m_page));
    const QByteArray bytes = encoder.encode(text);
    return encoder.isValid() && !encoder.hasError() && Decode(bytes) == text;
}

QString CPhoneTextCodec::Refused(const QString& text) const
{
    if (Holds(text))
        return QString();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!Holds(character))
            return character;
        i += length - 1;
    }
    return text.left(1); // held one by one but not as a whole: name the first
}

CVelmoraError CPhoneTextCodec::RefusedMessage(const QString& character, CodePage page)
{
    return CVelmoraError::Message(MsgCharacterNotInCodePage, {character, QString::number(int(page))});
}

CVelmoraError CPhoneTextCodec::Check(const QString& text) const
{
    const QString refused = Refused(text);
    return refused.isEmpty() ? CVelmoraError() : RefusedMessage(refused, m_page);
}

CVelmoraError CPhoneTextCodec::Encode(const QString& text, QByteArray& bytes) const
{
    bytes.clear();
    if (const CVelmoraError refused = Check(text))
        return refused;
    QStringEncoder encoder(NameOf(m_page));
    bytes = encoder.encode(text);
    return CVelmoraError();
}

QString CPhoneTextCodec::Decode(const QByteArray& bytes) const
{
    QStringDecoder decoder(NameOf(m_page));
    return decoder.decode(bytes);
}
