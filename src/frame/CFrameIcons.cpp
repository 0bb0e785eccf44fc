#include "CFrameIcons.h"

#include "FrameCommands.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <cmath>

namespace {

const QColor kInk(40, 52, 70);
const QColor kBody(74, 96, 128);
const QColor kScreen(190, 225, 240);
const QColor kAccent(216, 120, 30);
const QColor kGreen(46, 140, 70);
const QColor kRed(190, 50, 40);

void PhoneBody(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kBody);
    p.drawRoundedRect(r, r.width() * 0.18, r.width() * 0.18);
    p.setBrush(kScreen);
    p.setPen(Qt::NoPen);
    const QRectF screen(r.left() + r.width() * 0.18, r.top() + r.height() * 0.12, r.width() * 0.64,
                        r.height() * 0.34);
    p.drawRect(screen);
    // Keypad dots.
    p.setBrush(QColor(230, 235, 240));
    const qreal d = r.width() * 0.12;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QRectF(r.left() + r.width() * (0.2 + col * 0.24),
                                 r.top() + r.height() * (0.56 + row * 0.13), d, d));
    // Antenna.
    p.setPen(QPen(kInk, 1.6));
    p.drawLine(QPointF(r.right() - r.width() * 0.22, r.top()),
               QPointF(r.right() - r.width() * 0.22, r.top() - r.height() * 0.16));
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color)
{
    p.setPen(QPen(color, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF dir = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF normal(-dir.y(), dir.x());
    QPolygonF head;
    head << to + dir * 2.0 << to - dir * 4.0 + normal * 4.0 << to - dir * 4.0 - normal * 4.0;
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
}

void Sheet(QPainter& p, const QRectF& r, const QColor& fill)
{
    p.setPen(QPen(kInk, 1.1));
    p.setBrush(fill);
    p.drawRect(r);
    p.setPen(QPen(QColor(120, 130, 145), 1));
    for (qreal y = r.top() + 4; y < r.bottom() - 2; y += 3.5)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void Person(QPainter& p, QPointF at, qreal size, const QColor& color)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(color);
    p.drawEllipse(QRectF(at.x() - size * 0.22, at.y() - size * 0.5, size * 0.44, size * 0.44));
    p.drawChord(QRectF(at.x() - size * 0.42, at.y(), size * 0.84, size * 0.8), 0, 180 * 16);
}

} // namespace

// Pictures of a phone, with what is done to it.
bool CFrameIcons::PaintPhoneGlyph(QPainter& p, Glyph glyph)
{
    const QRectF phone(3, 4, 10, 18);
    switch (glyph) {
    case Glyph::Phone:
        PhoneBody(p, QRectF(7, 4, 10, 18));
        return true;
    case Glyph::PhoneIn:
        PhoneBody(p, phone);
        Arrow(p, QPointF(14, 13), QPointF(21, 13), kGreen);
        return true;
    case Glyph::PhoneOut:
        PhoneBody(p, QRectF(11, 4, 10, 18));
        Arrow(p, QPointF(2, 13), QPointF(9, 13), kAccent);
        return true;
    case Glyph::PhoneReset: {
        PhoneBody(p, phone);
        p.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(13, 8, 9, 9), 90 * 16, 270 * 16);
        Arrow(p, QPointF(17.5, 8), QPointF(19.5, 8), kGreen);
        return true;
    }
    case Glyph::PhoneBackup:
        Sheet(p, QRectF(12, 3, 10, 12), QColor(250, 240, 200));
        PhoneBody(p, phone);
        Arrow(p, QPointF(17, 16), QPointF(14, 20), kGreen);
        return true;
    case Glyph::Phones:
        PhoneBody(p, QRectF(2, 6, 8, 15));
        PhoneBody(p, QRectF(14, 6, 8, 15));
        Arrow(p, QPointF(10, 4), QPointF(15, 4), kAccent);
        return true;
    case Glyph::Settings:
        PhoneBody(p, phone);
        p.setPen(QPen(kInk, 1.5));
        for (int i = 0; i < 3; ++i) {
            p.drawLine(QPointF(15, 7 + i * 6), QPointF(22, 7 + i * 6));
            p.setBrush(kAccent);
            p.drawEllipse(QRectF(16 + (i % 2) * 3, 5.5 + i * 6, 3, 3));
        }
        return true;
    default:
        return false;
    }
}

// Fleet, list and program glyphs.
bool CFrameIcons::PaintToolGlyph(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::FleetAppend:
        Sheet(p, QRectF(3, 2, 13, 17), QColor(250, 250, 250));
        p.setPen(QPen(kGreen, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(18, 13), QPointF(18, 22));
        p.drawLine(QPointF(13.5, 17.5), QPointF(22.5, 17.5));
        return true;
    case Glyph::Options: {
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(150, 160, 175));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(12, 12);
            p.rotate(i * 45);
            p.drawRect(QRectF(-2, -11, 4, 5));
            p.restore();
        }
        p.drawEllipse(QRectF(4, 4, 16, 16));
        p.setBrush(QColor(250, 250, 250));
        p.drawEllipse(QRectF(9, 9, 6, 6));
        return true;
    }
    case Glyph::List:
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 4; ++row) {
            p.setBrush(kAccent);
            p.drawRect(QRectF(3, 4 + row * 4.5, 3, 3));
            p.setBrush(kBody);
            p.drawRect(QRectF(8, 4.5 + row * 4.5, 13, 2));
        }
        return true;
    case Glyph::Talkgroup:
        Person(p, QPointF(7, 11), 10, QColor(120, 170, 220));
        Person(p, QPointF(17, 11), 10, QColor(240, 190, 110));
        Person(p, QPointF(12, 14), 11, QColor(130, 200, 140));
        return true;
    case Glyph::Info:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(70, 120, 200));
        p.drawEllipse(QRectF(3, 3, 18, 18));
        p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawPoint(QPointF(12, 7.5));
        p.drawLine(QPointF(12, 11), QPointF(12, 17));
        return true;
    case Glyph::Help:
    case Glyph::Update:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(glyph == Glyph::Help ? QColor(70, 120, 200) : kGreen);
        p.drawEllipse(QRectF(3, 3, 18, 18));
        p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (glyph == Glyph::Help) {
            p.setFont(QFont(QStringLiteral("Sans"), 11, QFont::Bold));
            p.drawText(QRectF(3, 3, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
        } else {
            p.drawPolyline(QPolygonF({QPointF(7.5, 12.5), QPointF(10.5, 15.5), QPointF(16.5, 8.5)}));
        }
        return true;
    default:
        return false;
    }
}

// Messaging, contacts, events and synchronisation.
bool CFrameIcons::PaintMessageGlyph(QPainter& p, Glyph glyph)
{
    switch (glyph) {
    case Glyph::Message:
    case Glyph::MessageSave:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(250, 250, 235));
        p.drawRect(QRectF(2, 6, 20, 13));
        p.drawLine(QPointF(2, 6), QPointF(12, 13));
        p.drawLine(QPointF(22, 6), QPointF(12, 13));
        if (glyph == Glyph::MessageSave)
            Arrow(p, QPointF(18, 1), QPointF(18, 8), kGreen);
        return true;
    case Glyph::Modem:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kBody);
        p.drawRoundedRect(QRectF(2, 11, 20, 8), 2, 2);
        p.setBrush(kGreen);
        p.drawEllipse(QRectF(5, 14, 2.5, 2.5));
        p.drawEllipse(QRectF(9, 14, 2.5, 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(13, 3, 8, 8), 30 * 16, 120 * 16);
        p.drawArc(QRectF(15, 5, 4, 4), 30 * 16, 120 * 16);
        return true;
    case Glyph::Contact:
    case Glyph::ContactRemove:
        Person(p, QPointF(10, 11), 14, QColor(120, 170, 220));
        p.setPen(QPen(glyph == Glyph::Contact ? kGreen : kRed, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 18), QPointF(22, 18));
        if (glyph == Glyph::Contact)
            p.drawLine(QPointF(19, 15), QPointF(19, 21));
        return true;
    case Glyph::Event:
    case Glyph::EventRemove:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2, 4, 16, 16));
        p.setBrush(kRed);
        p.drawRect(QRectF(2, 4, 16, 4));
        p.setPen(QPen(glyph == Glyph::Event ? kGreen : kRed, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(15, 18), QPointF(22, 18));
        if (glyph == Glyph::Event)
            p.drawLine(QPointF(18.5, 14.5), QPointF(18.5, 21.5));
        return true;
    case Glyph::Sync:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 150 * 16);
        p.setPen(QPen(kAccent, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(4, 4, 16, 16), 210 * 16, 150 * 16);
        Arrow(p, QPointF(19, 9), QPointF(19.5, 11), kGreen);
        Arrow(p, QPointF(5, 15), QPointF(4.5, 13), kAccent);
        return true;
    default:
        return false;
    }
}

QIcon CFrameIcons::Draw(Glyph glyph)
{
    static QHash<int, QIcon> cache;
    const auto found = cache.constFind(int(glyph));
    if (found != cache.constEnd())
        return *found;

    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 24.0, size / 24.0);
        if (!PaintPhoneGlyph(p, glyph) && !PaintToolGlyph(p, glyph))
            PaintMessageGlyph(p, glyph);
        p.end();
        icon.addPixmap(pixmap);
    }
    cache.insert(int(glyph), icon);
    return icon;
}

QIcon CFrameIcons::ForCommand(int commandId)
{
    QStyle* style = QApplication::style();
    switch (commandId) {
    case FrameCmd::FileNew:
        return style->standardIcon(QStyle::SP_FileIcon);
    case FrameCmd::FileOpen:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case FrameCmd::FileSave:
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    case FrameCmd::AppAbout:
        return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case FrameCmd::HelpTopics:
        return Draw(Glyph::Help);
    case FrameCmd::ReadPhone:
        return Draw(Glyph::PhoneIn);
    case FrameCmd::WritePhone:
        return Draw(Glyph::PhoneOut);
    case FrameCmd::ResetPhone:
        return Draw(Glyph::PhoneReset);
    case FrameCmd::CodeplugRecovery:
        return Draw(Glyph::PhoneBackup);
    case FrameCmd::CopyWizard:
        return Draw(Glyph::Phones);
    case FrameCmd::AppendFleet:
        return Draw(Glyph::FleetAppend);
    case FrameCmd::Options:
        return Draw(Glyph::Options);
    case FrameCmd::FleetBar:
        return Draw(Glyph::List);
    case FrameCmd::SmsBar:
        return Draw(Glyph::Message);
    case FrameCmd::TalkgroupManager:
        return Draw(Glyph::Talkgroup);
    case FrameCmd::UpdateFleet:
        return Draw(Glyph::Update);
    case FrameCmd::SyncPim:
        return Draw(Glyph::Sync);
    default:
        return QIcon();
    }
}

QIcon CFrameIcons::ForListItem(int textId)
{
    switch (textId) {
    case 1622: // phone list
    case 1623: // private call list
    case 1740: // consolidated call list
        return Draw(Glyph::List);
    case 1694: // talkgroup list
        return Draw(Glyph::Talkgroup);
    case 1624: // basic settings
    case 1625: // advanced settings
        return Draw(Glyph::Settings);
    case 1626: // status messages
        return Draw(Glyph::Message);
    case 1627: // scan list
        return Draw(Glyph::Sync);
    case 1816: // ergonomic settings
        return Draw(Glyph::Options);
    case 1628: // phone information
        return Draw(Glyph::Info);
    case 1617: // load message
        return Draw(Glyph::Message);
    case 1618: // save message
        return Draw(Glyph::MessageSave);
    case 1619: // choose modem
        return Draw(Glyph::Modem);
    case 1620: // options
        return Draw(Glyph::Options);
    case 1621: // help
        return Draw(Glyph::Help);
    case 1749: // new contact
        return Draw(Glyph::Contact);
    case 1750: // delete contact
        return Draw(Glyph::ContactRemove);
    case 1751: // synchronize
        return Draw(Glyph::Sync);
    case 1762: // new event
        return Draw(Glyph::Event);
    case 1763: // delete event
        return Draw(Glyph::EventRemove);
    default:
        return Draw(Glyph::Phone);
    }
}
