#include "RowWriter.h"
#include "BusyCursor.h"
#include "CompactRows.h"
#include "Connection.h"
#include "Errors.h"
#include "PendingRow.h"
#include "QueryFields.h"
#include "TransactionGuard.h"
#include <QStringList>
#include <sqlite3.h>

namespace {

QString quotedName(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

const char *const kSavepoint = "dataset_row";

} // namespace

// A new text as it is written: the empty text as NULL, a whole number as an
// integer, anything else as text (the column's affinity then applies).
RowWriter::Bound RowWriter::boundText(int field, const QString &text) const
{
    if (text.isEmpty())
        return {SQLITE_NULL, {}};
    if (fields_.isWholeNumber(field))
        return {SQLITE_INTEGER, {}, text.toLongLong()};
    return {SQLITE_TEXT, text.toUtf8()};
}

QString RowWriter::quotedColumn(int field) const { return quotedName(fields_.originNames.at(field)); }

QString RowWriter::quotedTable() const { return quotedName(fields_.tableName); }

void RowWriter::requireTable() const
{
    if (fields_.tableName.isEmpty())
        throw DatabaseError(QStringLiteral("%1: 書き込めるテーブルがありません").arg(queryName_));
}

// Finds the row as it was read: by its row id, and every column read must
// still hold the value read, with the storage type read.
QString RowWriter::rowCondition(int row, std::vector<Bound> &bound) const
{
    QStringList parts;
    if (rows_.hasRowIds()) {
        parts << QStringLiteral("rowid = ?");
        bound.push_back({SQLITE_INTEGER, {}, rows_.rowId(row)});
    }
    for (int f = 0; f < fields_.count(); ++f) {
        if (!fields_.isWritable(f))
            continue;
        const QString column = quotedColumn(f);
        const QByteArray raw = rows_.bytes(row, f);
        switch (rows_.type(row, f)) {
        case SQLITE_NULL:
            parts << column + QStringLiteral(" IS NULL");
            break;
        case SQLITE_INTEGER:
            parts << column + QStringLiteral(" IS ?");
            bound.push_back({SQLITE_INTEGER, {}, raw.toLongLong()});
            break;
        case SQLITE_FLOAT:
            // A real is compared by the text it was read as.
            parts << QStringLiteral("(typeof(%1) = 'real' AND CAST(%1 AS TEXT) = ?)").arg(column);
            bound.push_back({SQLITE_TEXT, raw});
            break;
        case SQLITE_BLOB:
            parts << column + QStringLiteral(" IS ?");
            bound.push_back({SQLITE_BLOB, raw});
            break;
        default:
            parts << column + QStringLiteral(" IS ?");
            bound.push_back({SQLITE_TEXT, raw});
            break;
        }
    }
    return parts.join(QStringLiteral(" AND "));
}

// Runs one write inside a savepoint; unless it changed exactly one record it
// is undone and raises DatabaseError.
void RowWriter::writeOneRow(const QString &sql, const std::vector<Bound> &bound, const QString &what)
{
    BusyCursor busy;
    TransactionGuard guard(connection_, kSavepoint);
    sqlite3 *db = connection_.handle();
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        const QString reason = connection_.lastError();
        sqlite3_finalize(stmt);
        throw DatabaseError(reason);
    }
    for (std::size_t i = 0; i < bound.size(); ++i) {
        const Bound &b = bound[i];
        const int index = int(i) + 1;
        switch (b.type) {
        case SQLITE_INTEGER: sqlite3_bind_int64(stmt, index, b.integer); break;
        case SQLITE_TEXT: sqlite3_bind_text(stmt, index, b.bytes.constData(), int(b.bytes.size()), SQLITE_TRANSIENT); break;
        case SQLITE_BLOB: sqlite3_bind_blob(stmt, index, b.bytes.constData(), int(b.bytes.size()), SQLITE_TRANSIENT); break;
        default: sqlite3_bind_null(stmt, index); break;
        }
    }
    if (sqlite3_step(stmt) != SQLITE_DONE) {
        const QString reason = connection_.lastError();
        sqlite3_finalize(stmt);
        throw DatabaseError(reason);
    }
    sqlite3_finalize(stmt);
    const int changed = sqlite3_changes(db);
    if (changed != 1)
        throw DatabaseError(QStringLiteral("%1: %2の文が 1 件のレコードだけに作用しませんでした (作用したレコード %3 件)。"
                                           "レコードは読み込んだ後に変更または削除されています")
                                .arg(queryName_, what)
                                .arg(changed));
    guard.commit();
}

void RowWriter::update(int row, const PendingRow &pending)
{
    requireTable();
    QStringList sets;
    std::vector<Bound> bound;
    for (int f = 0; f < fields_.count(); ++f) {
        if (!pending.isGiven(f) || !fields_.isWritable(f))
            continue;
        fields_.check(f, pending.text(f));
        sets << quotedColumn(f) + QStringLiteral(" = ?");
        bound.push_back(boundText(f, pending.text(f)));
    }
    if (sets.isEmpty())
        return;
    const QString where = rowCondition(row, bound);
    writeOneRow(QStringLiteral("UPDATE ") + quotedTable() + QStringLiteral(" SET ") + sets.join(QStringLiteral(", "))
                    + QStringLiteral(" WHERE ") + where,
                bound, QStringLiteral("更新"));
    refresh(row, rows_.hasRowIds() ? rows_.rowId(row) : 0, pending);
}

void RowWriter::insert(int row, const PendingRow &pending)
{
    requireTable();
    QStringList columns, marks;
    std::vector<Bound> bound;
    for (int f = 0; f < fields_.count(); ++f) {
        const QString &text = pending.text(f);
        if (!pending.isGiven(f) || text.isEmpty() || !fields_.isWritable(f))
            continue;
        fields_.check(f, text);
        columns << quotedColumn(f);
        marks << QStringLiteral("?");
        bound.push_back(boundText(f, text));
    }
    const QString values = columns.isEmpty()
                               ? QStringLiteral(" DEFAULT VALUES")
                               : QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (")
                                     + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    writeOneRow(QStringLiteral("INSERT INTO ") + quotedTable() + values, bound, QStringLiteral("追加"));
    const qint64 rowId = sqlite3_last_insert_rowid(connection_.handle());
    if (rows_.hasRowIds())
        rows_.setRowId(row, rowId);
    refresh(row, rows_.hasRowIds() ? rowId : 0, pending);
}

void RowWriter::remove(int row)
{
    requireTable();
    std::vector<Bound> bound;
    const QString where = rowCondition(row, bound);
    writeOneRow(QStringLiteral("DELETE FROM ") + quotedTable() + QStringLiteral(" WHERE ") + where, bound,
                QStringLiteral("削除"));
}

void RowWriter::reread(int row)
{
    PendingRow none;
    none.clear(fields_.count());
    refresh(row, rows_.rowId(row), none);
}

// The cached row takes the texts written and, read again by its row id,
// what the table holds.
void RowWriter::refresh(int row, qint64 rowId, const PendingRow &pending)
{
    const int n = fields_.count();
    std::vector<int> types(static_cast<std::size_t>(n));
    std::vector<QByteArray> texts(static_cast<std::size_t>(n));
    for (int f = 0; f < n; ++f) {
        if (pending.isGiven(f)) {
            const Bound b = boundText(f, pending.text(f));
            types[size_t(f)] = b.type;
            texts[size_t(f)] = b.type == SQLITE_INTEGER ? QByteArray::number(b.integer) : b.bytes;
        } else {
            types[size_t(f)] = rows_.type(row, f);
            texts[size_t(f)] = rows_.bytes(row, f);
        }
    }
    QStringList columns;
    std::vector<int> written;
    for (int f = 0; f < n; ++f)
        if (fields_.isWritable(f)) {
            columns << quotedColumn(f);
            written.push_back(f);
        }
    if (rowId != 0 && !columns.isEmpty()) {
        const QByteArray sql = (QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                                + quotedTable() + QStringLiteral(" WHERE rowid = ?"))
                                   .toUtf8();
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(connection_.handle(), sql.constData(), int(sql.size()), &stmt, nullptr) == SQLITE_OK) {
            sqlite3_bind_int64(stmt, 1, rowId);
            if (sqlite3_step(stmt) == SQLITE_ROW) {
                for (std::size_t c = 0; c < written.size(); ++c) {
                    const int f = written[c];
                    types[size_t(f)] = sqlite3_column_type(stmt, int(c));
                    const char *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, int(c)));
                    texts[size_t(f)] = QByteArray(text, sqlite3_column_bytes(stmt, int(c)));
                }
            }
        }
        sqlite3_finalize(stmt);
    }
    rows_.replace(row, types, texts);
}
