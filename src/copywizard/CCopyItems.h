#pragma once

#include "CVelmoraError.h"
#include "CWriteFlags.h"

#include <QList>
#include <QString>

struct CModelProfile;

// The check list of what a copy writes: one item per group of settings or list (per NAM for the NAM
// lists), in the order the Custom copy page shows them, the consolidated call list always last. An
// item the source model cannot hold is disabled: it stays unchecked whatever is asked.
class CCopyItems
{
public:
    enum Group : int
    {
        PhoneBook,
        Private,
        Talkgroup,
        Basic,
        Further,
        Scan,
        Status,
        Consolidated
    };

    struct Item
    {
        int textId = 0;
        int group = PhoneBook;
        int nam = 1; // 1..3 for the NAM lists
        bool enabled = true;
        bool checked = false;
    };

    // The items for namCount NAMs (1..3, others clamp), enabled by the source's model profile and
    // phone class. Every item starts unchecked.
    void Fill(int namCount, const CModelProfile& profile, int phoneClass);
    void Clear() { m_items.clear(); }

    int Count() const { return int(m_items.size()); }
    const Item& At(int index) const { return m_items.at(index); }
    const QList<Item>& Items() const { return m_items; }

    // False (and nothing changes) for a disabled item or an index out of range.
    bool SetChecked(int index, bool checked);
    // Check all / uncheck all: only the enabled items change.
    void SetAllChecked(bool checked);
    int CheckedCount() const;

    // The write flags of the checked items (all others false); 1654 when nothing is checked.
    CVelmoraError Flags(CWriteFlags& flags) const;

    // The string ids of the items for a NAM count, in order.
    static QList<int> TextIds(int namCount);
    // The short name of an item for scripts: phonebook, private1..3, talkgroup1..3, basic, further,
    // scan1..3, status1..3, consolidated.
    static QString Key(const Item& item);
    int IndexOfKey(const QString& key) const;

private:
    QList<Item> m_items;
};
