#pragma once

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <functional>

namespace vardex::testing {

// Damages a closed table file as a failing disk would: the middle leaf page
// of its records and of each of its indexes is overwritten with garbage.
// The file still opens and its first records read; a walk, a count or a
// look-up further on meets the damage. The same file always gets the same
// damage. `only` names the one table or index to damage. Returns the number
// of pages overwritten.
inline int damageMiddlePages(const QString &path, const QString &only = {})
{
    QList<quint32> roots;
    const QString connection = QStringLiteral("damage-") + path;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(QStringLiteral("SELECT rootpage FROM sqlite_master "
                                       "WHERE rootpage > 0 AND '%1' IN ('', name)")
                            .arg(only),
                        db);
            while (q.next())
                roots << q.value(0).toUInt();
        }
    }
    QSqlDatabase::removeDatabase(connection);

    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return 0;
    const QByteArray bytes = file.readAll();
    auto number = [&bytes](qint64 at, int size) {
        quint32 n = 0;
        for (int i = 0; i < size; ++i)
            n = n << 8 | quint8(bytes[at + i]);
        return n;
    };
    const quint32 pageSize = number(16, 2) == 1 ? 65536 : number(16, 2);
    // A b-tree's leaves in key order: interior pages (0x02 index, 0x05
    // table) list their children in cells and a right-most pointer.
    std::function<void(quint32, QList<quint32> &)> leaves = [&](quint32 page, QList<quint32> &out) {
        const qint64 header = qint64(page - 1) * pageSize + (page == 1 ? 100 : 0);
        if (page == 0 || header + 12 > bytes.size())
            return;
        const quint8 type = quint8(bytes[header]);
        if (type == 0x0a || type == 0x0d) {
            out << page;
            return;
        }
        if (type != 0x02 && type != 0x05)
            return;
        const quint32 cells = number(header + 3, 2);
        for (quint32 i = 0; i < cells; ++i)
            leaves(number(qint64(page - 1) * pageSize + number(header + 12 + 2 * i, 2), 4), out);
        leaves(number(header + 8, 4), out);
    };
    int damaged = 0;
    for (quint32 root : roots) {
        QList<quint32> pages;
        leaves(root, pages);
        if (pages.size() < 3)
            continue; // too small to have a middle
        file.seek(qint64(pages[pages.size() / 2] - 1) * pageSize);
        file.write(QByteArray(int(pageSize), '\xff'));
        ++damaged;
    }
    return damaged;
}

} // namespace vardex::testing
