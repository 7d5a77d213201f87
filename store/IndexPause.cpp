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
    for (const QString &create : std::as_const(creates_))
        db_.execute(create);
    creates_.clear();
}
