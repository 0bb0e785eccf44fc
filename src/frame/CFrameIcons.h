#pragma once

#include <QIcon>

class QPainter;

// The icons of the toolbars and list bars: the desktop style's own where it has one (file, help),
// small pictures drawn here for the program's own commands and list items.
class CFrameIcons
{
public:
    // Icon of a command of the frame; a null icon for commands shown as text only.
    static QIcon ForCommand(int commandId);
    // Icon of a list-bar item, by the text id that labels it.
    static QIcon ForListItem(int textId);

private:
    enum class Glyph
    {
        Phone,
        PhoneIn,
        PhoneOut,
        PhoneReset,
        PhoneBackup,
        Phones,
        FleetAppend,
        Options,
        List,
        Talkgroup,
        Settings,
        Info,
        Message,
        MessageSave,
        Modem,
        Contact,
        ContactRemove,
        Event,
        EventRemove,
        Sync,
        Help,
        Update
    };
    static QIcon Draw(Glyph glyph);
    // Each paints the glyphs of its group on a 24 x 24 canvas; false for a glyph of another group.
    static bool PaintPhoneGlyph(QPainter& p, Glyph glyph);
    static bool PaintToolGlyph(QPainter& p, Glyph glyph);
    static bool PaintMessageGlyph(QPainter& p, Glyph glyph);
};
