#pragma once
// The receivers found by the last search, keyed by MAC text, in the order
// their replies arrived.

#include "network/boardrecord.h"

#include <QList>
#include <QString>
#include <optional>

namespace nvx {

class Boards {
public:
    // False when the key is already there (a module answering twice).
    bool add(const QString &key, const BoardRecord &rec);
    // Removes the item and appends `rec` under the same key; false when the
    // key is unknown.
    bool replace(const QString &key, const BoardRecord &rec);
    bool remove(const QString &key);
    void clear() { m_items.clear(); }

    std::optional<BoardRecord> find(const QString &key) const;
    bool contains(const QString &key) const { return find(key).has_value(); }
    int size() const { return static_cast<int>(m_items.size()); }
    QStringList keys() const;

private:
    struct Item {
        QString key;
        BoardRecord rec;
    };
    QList<Item> m_items;
};

} // namespace nvx
