#pragma once

#include <QString>
#include <QStringList>

// The text of a velmora-phone message in the language loaded into CVelmoraWrap, its "%1".."%99"
// filled with args in one pass (an argument that holds "%2" stays as it is). Without a language table
// the id and the arguments are shown, so a message is never lost.
QString PhoneToolText(int id, const QStringList& args = {});
