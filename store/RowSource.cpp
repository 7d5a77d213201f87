#include "RowSource.h"
#include "CompactRows.h"
#include "Connection.h"
#include "Errors.h"
#include <QRegularExpression>
#include <sqlite3.h>

namespace {

// " select CNT, ... from T" becomes " select rowid, CNT, ... from T".
QString withRowId(const QString &sql)
{
    static const QRegularExpression select(QStringLiteral("^\\s*select\\s"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = select.match(sql);
    if (!match.hasMatch())
        return QString();
    return sql.left(match.capturedEnd()) + QStringLiteral("rowid, ") + sql.mid(match.capturedEnd());
}

} // namespace

RowSource::~RowSource() { finish(); }

void RowSource::prepare(const QString &sql, bool withRowIds, const QString &queryName)
{
    clear();
    sqlite3 *db = connection_.handle();
    if (withRowIds) {
        const QByteArray text = withRowId(sql).toUtf8();
        if (!text.isEmpty()
            && sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, nullptr) == SQLITE_OK
            && stmt_ && sqlite3_column_table_name(stmt_, 0)) {
            firstField_ = 1;
        } else {
            finish();
        }
    }
    if (!stmt_) {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, nullptr) != SQLITE_OK) {
            const QString reason = connection_.lastError();
            finish();
            throw DatabaseError(reason);
        }
        if (!stmt_) // a text without any statement
            throw DatabaseError(QStringLiteral("%1: SQL 文がありません").arg(queryName));
    }
    describeFields();
}

void RowSource::describeFields()
{
    const int columns = sqlite3_column_count(stmt_);
    for (int c = firstField_; c < columns; ++c) {
        fields_.names << QString::fromUtf8(sqlite3_column_name(stmt_, c));
        fields_.declaredTypes << QString::fromUtf8(sqlite3_column_decltype(stmt_, c));
        fields_.originNames << QString::fromUtf8(sqlite3_column_origin_name(stmt_, c));
        fields_.tables << QString::fromUtf8(sqlite3_column_table_name(stmt_, c));
        if (fields_.tableName.isEmpty() && sqlite3_column_table_name(stmt_, c))
            fields_.tableName = QString::fromUtf8(sqlite3_column_table_name(stmt_, c));
    }
}

void RowSource::finish()
{
    if (stmt_) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

void RowSource::clear()
{
    finish();
    firstField_ = 0;
    fields_.clear();
}

bool RowSource::step()
{
    if (!stmt_)
        return false;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    const QString reason = connection_.lastError();
    finish();
    if (rc != SQLITE_DONE)
        throw DatabaseError(reason);
    return false;
}

qint64 RowSource::rowId() const { return hasRowIds() ? sqlite3_column_int64(stmt_, 0) : 0; }

// Every field, or those listed (the others as NULL), into the scratch row.
void RowSource::readFields(const std::vector<int> &fields)
{
    const int n = fields_.count();
    scratchTypes_.assign(size_t(n), SQLITE_NULL);
    scratchTexts_.assign(size_t(n), QByteArray());
    auto read = [&](int f) {
        const int c = f + firstField_;
        scratchTypes_[size_t(f)] = sqlite3_column_type(stmt_, c); // before the text converts it
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, c));
        scratchTexts_[size_t(f)] = QByteArray::fromRawData(text, sqlite3_column_bytes(stmt_, c));
    };
    if (fields.empty())
        for (int f = 0; f < n; ++f)
            read(f);
    else
        for (int f : fields)
            read(f);
}

void RowSource::appendTo(CompactRows &rows)
{
    readFields({});
    rows.append(scratchTypes_, scratchTexts_, rowId());
}

void RowSource::packInto(CompactRows &rows, int row, const std::vector<int> &fields)
{
    readFields(fields);
    rows.replace(row, scratchTypes_, scratchTexts_);
    if (rows.hasRowIds())
        rows.setRowId(row, rowId());
}
