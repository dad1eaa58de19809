#include "network/boards.h"

#include <QStringList>

namespace nvx {

bool Boards::add(const QString &key, const BoardRecord &rec)
{
    if (contains(key))
        return false;
    m_items.append({key, rec});
    return true;
}

bool Boards::replace(const QString &key, const BoardRecord &rec)
{
    if (!remove(key))
        return false;
    m_items.append({key, rec});
    return true;
}

bool Boards::remove(const QString &key)
{
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (m_items[i].key == key) {
            m_items.removeAt(i);
            return true;
        }
    }
    return false;
}

std::optional<BoardRecord> Boards::find(const QString &key) const
{
    for (const Item &item : m_items)
        if (item.key == key)
            return item.rec;
    return std::nullopt;
}

QStringList Boards::keys() const
{
    QStringList result;
    for (const Item &item : m_items)
        result << item.key;
    return result;
}

} // namespace nvx
