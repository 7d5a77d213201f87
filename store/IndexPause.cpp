#include "IndexPause.h"
#include "Connection.h"
#include "Errors.h"
#include <sqlite3.h>

namespace {

struct Index {
    QString name;
    QString create;
};

QList<Index> indexesOf(Connection &db, const QString &table)
{
    static const char sql[] = "select name, sql from sqlite_master where type = 'index' and tbl_name = ?"
                              " and sql is not null order by name";
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db.handle(), sql, -1, &stmt, nullptr) != SQLITE_OK)
        throw DatabaseError(db.lastError());
    sqlite3_bind_text16(stmt, 1, table.utf16(), int(table.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
    QList<Index> indexes;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        auto column = [stmt](int k) {
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, k)),
                                     sqlite3_column_bytes(stmt, k));
        };
        indexes.append({column(0), column(1)});
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        throw DatabaseError(db.lastError());
    return indexes;
}

// The page cache of the connection, which also bounds how much SQLite's
// sorter holds in memory while it builds an index, kept small for a scope
// and then set back as it was.
class SmallPageCache {
public:
    explicit SmallPageCache(Connection &db) : db_(db), pages_(cacheSize(db))
    {
        db_.execute(QStringLiteral("PRAGMA cache_size = %1").arg(kPages));
    }
    ~SmallPageCache()
    {
        try {
            db_.execute(QStringLiteral("PRAGMA cache_size = %1").arg(pages_));
        } catch (const DatabaseError &) {
            // The setting stays small; what the connection stores is unchanged.
        }
    }
    SmallPageCache(const SmallPageCache &) = delete;
    SmallPageCache &operator=(const SmallPageCache &) = delete;

private:
    // Runs of 2 MB sorted in memory cost no more time than runs of 40 MB.
    static constexpr int kPages = 500;

    static qint64 cacheSize(Connection &db)
    {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db.handle(), "PRAGMA cache_size", -1, &stmt, nullptr) != SQLITE_OK)
            throw DatabaseError(db.lastError());
        const qint64 pages = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : kPages;
        sqlite3_finalize(stmt);
        return pages;
    }

    Connection &db_;
    qint64 pages_;
};

QString quotedName(QString name) { return QLatin1Char('"') + name.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"'); }

} // namespace

IndexPause::IndexPause(Connection &db, const QString &table) : db_(db)
{
    for (const Index &index : indexesOf(db, table)) {
        db_.execute(QStringLiteral("drop index ") + quotedName(index.name));
        creates_.append(index.create);
    }
}

void IndexPause::restore()
{
    const SmallPageCache cache(db_);
    for (const QString &create : std::as_const(creates_))
        db_.execute(create);
    creates_.clear();
}
