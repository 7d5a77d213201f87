#include "Dataset.h"
#include "BusyCursor.h"
#include "ColumnKind.h"
#include "Connection.h"
#include "Errors.h"
#include "TransactionGuard.h"
#include <QRegularExpression>
#include <sqlite3.h>
#include <climits>
#include <cstring>

namespace {

QString noSuchField(const QString &dataset, const QString &field)
{
    return QStringLiteral("%1: フィールド '%2' が見つかりません").arg(dataset, field);
}

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

QString quotedName(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A row of the cache: the end offset of each field's UTF-8 text (int32),
// each field's storage type (uint8), then the texts.
// Packs into a blob given, keeping its storage when it is large enough.
void packRowInto(QByteArray &blob, const std::vector<int> &types, const std::vector<QByteArray> &texts)
{
    const int n = int(types.size());
    const int header = n * int(sizeof(qint32) + 1);
    int textBytes = 0;
    for (const QByteArray &text : texts)
        textBytes += int(text.size());
    const int size = header + textBytes;
    if (blob.isDetached() && blob.capacity() >= size)
        blob.resize(size);
    else
        blob = QByteArray(size, Qt::Uninitialized); // exactly as large: a cache holds many

    char *ends = blob.data();
    char *kinds = ends + n * sizeof(qint32);
    char *out = blob.data() + header;
    qint32 end = 0;
    for (int f = 0; f < n; ++f) {
        if (!texts[f].isEmpty())
            std::memcpy(out + end, texts[f].constData(), size_t(texts[f].size()));
        end += qint32(texts[f].size());
        std::memcpy(ends + f * sizeof(qint32), &end, sizeof(qint32));
        kinds[f] = char(types[f]);
    }
}

QByteArray packRow(const std::vector<int> &types, const std::vector<QByteArray> &texts)
{
    QByteArray blob;
    packRowInto(blob, types, texts);
    return blob;
}

const char *const kSavepoint = "dataset_row";

} // namespace

Dataset::Dataset(Connection &connection, const QString &name, QObject *parent)
    : QObject(parent), connection_(connection), name_(name)
{
    setObjectName(name);
    connection_.attach(this);
}

Dataset::~Dataset()
{
    finishStatement();
    connection_.detach(this);
}

void Dataset::setSql(const QString &sql)
{
    close();
    sql_ = sql;
}

void Dataset::open()
{
    close();
    if (!connection_.isOpen() || connection_.startFailed())
        throw DatabaseError(connection_.unavailable());
    BusyCursor busy;
    prepare();
    open_ = true;
    fetchMore();
    bof_ = true;
    eof_ = rows_.empty();
    current_ = rows_.empty() ? -1 : 0;
    emit opened();
    emit currentChanged(current_);
}

void Dataset::prepare()
{
    sqlite3 *db = connection_.handle();
    hasRowIds_ = false;
    firstField_ = 0;
    if (editable_) {
        const QByteArray text = withRowId(sql_).toUtf8();
        if (!text.isEmpty()
            && sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, nullptr) == SQLITE_OK
            && stmt_ && sqlite3_column_table_name(stmt_, 0)) {
            hasRowIds_ = true;
            firstField_ = 1;
        } else {
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
        }
    }
    if (!stmt_) {
        const QByteArray text = sql_.toUtf8();
        if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, nullptr) != SQLITE_OK) {
            const QString reason = connection_.lastError();
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
            throw DatabaseError(reason);
        }
        if (!stmt_) // a text without any statement
            throw DatabaseError(QStringLiteral("%1: SQL 文がありません").arg(name_));
    }
    const int columns = sqlite3_column_count(stmt_);
    for (int c = firstField_; c < columns; ++c) {
        fieldNames_ << QString::fromUtf8(sqlite3_column_name(stmt_, c));
        declaredTypes_ << QString::fromUtf8(sqlite3_column_decltype(stmt_, c));
        originNames_ << QString::fromUtf8(sqlite3_column_origin_name(stmt_, c));
        fieldTables_ << QString::fromUtf8(sqlite3_column_table_name(stmt_, c));
        if (tableName_.isEmpty() && sqlite3_column_table_name(stmt_, c))
            tableName_ = QString::fromUtf8(sqlite3_column_table_name(stmt_, c));
    }
    displayWidths_.assign(fieldNames_.size(), 0);
    clearPending();
}

void Dataset::close()
{
    if (!open_)
        return;
    finishStatement();
    open_ = false;
    rows_.clear();
    rows_.shrink_to_fit();
    rowIds_.clear();
    rowIds_.shrink_to_fit();
    fieldNames_.clear();
    declaredTypes_.clear();
    originNames_.clear();
    fieldTables_.clear();
    displayWidths_.clear();
    tableName_.clear();
    current_ = -1;
    bof_ = eof_ = true;
    walking_ = rowsLetGo_ = rowPartial_ = false;
    // A change still pending is dropped with the rows.
    state_ = State::Browse;
    pending_.clear();
    pendingSet_.clear();
    emit closed();
}

void Dataset::finishStatement()
{
    if (stmt_) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

void Dataset::fetchMore(int count)
{
    if (!stmt_)
        return;
    const int before = rowCount();
    for (int i = 0; i < count && stmt_; ++i) {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) {
            readRow();
        } else {
            const QString reason = connection_.lastError();
            finishStatement();
            if (rc != SQLITE_DONE)
                throw DatabaseError(reason);
        }
    }
    if (rowCount() > before)
        emit rowsFetched(before, rowCount() - 1);
}

void Dataset::fetchAll()
{
    BusyCursor busy;
    while (stmt_)
        fetchMore(1 << 14);
}

void Dataset::readRow()
{
    rows_.emplace_back();
    packStatementRow({}, rows_.back());
    if (hasRowIds_)
        rowIds_.push_back(sqlite3_column_int64(stmt_, 0));
}

// Packs the statement's row: every field, or those listed (the others as NULL).
void Dataset::packStatementRow(const std::vector<int> &fields, QByteArray &blob)
{
    const int n = fieldCount();
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
    packRowInto(blob, scratchTypes_, scratchTexts_);
}

void Dataset::requireOpen() const
{
    if (!open_)
        throw DatabaseError(connection_.startFailed()
                                ? connection_.unavailable()
                                : QStringLiteral("%1: 閉じたデータセットでは操作できません").arg(name_));
}

void Dataset::setCurrent(int row)
{
    if (row == current_)
        return;
    current_ = row;
    emit currentChanged(row);
}

void Dataset::first()
{
    requireOpen();
    leaveRow();
    bof_ = true;
    eof_ = rows_.empty();
    setCurrent(rows_.empty() ? -1 : 0);
}

void Dataset::next()
{
    requireOpen();
    int target = current_ + 1;
    // A new row dropped on the way leaves the row that followed it in its place.
    if (const int dropped = leaveRow(); dropped >= 0)
        target = dropped;
    if (target >= rowCount())
        fetchMore();
    if (target >= rowCount()) {
        eof_ = true;
        return;
    }
    bof_ = eof_ = false;
    setCurrent(target);
}

void Dataset::prior()
{
    requireOpen();
    const int target = current_ - 1;
    leaveRow();
    if (target < 0) {
        bof_ = true;
        return;
    }
    bof_ = eof_ = false;
    setCurrent(target);
}

void Dataset::last()
{
    requireOpen();
    leaveRow();
    fetchAll();
    eof_ = true;
    bof_ = rows_.empty();
    setCurrent(rowCount() - 1);
}

void Dataset::moveTo(int row)
{
    requireOpen();
    if (row == current_)
        return;
    if (const int dropped = leaveRow(); dropped >= 0 && row > dropped)
        --row;
    while (row >= rowCount() && canFetchMore())
        fetchMore();
    if (row < 0 || row >= rowCount())
        return;
    bof_ = eof_ = false;
    setCurrent(row);
}

void Dataset::beginWalk(const std::vector<int> &fields)
{
    requireOpen();
    leaveRow();
    walking_ = true;
    walkedFields_.clear();
    if (canReadSomeFields())
        for (int f : fields)
            if (f >= 0 && f < fieldCount())
                walkedFields_.push_back(f);
}

// A row read in part can be read whole again by its row id.
bool Dataset::canReadSomeFields() const
{
    if (!hasRowIds_)
        return false;
    for (int f = 0; f < fieldCount(); ++f)
        if (!isFieldWritable(f))
            return false;
    return true;
}

void Dataset::walkNext()
{
    requireOpen();
    if (current_ + 1 < rowCount()) {
        ++current_;
        bof_ = eof_ = false;
        return;
    }
    const int rc = stmt_ ? sqlite3_step(stmt_) : SQLITE_DONE;
    if (rc != SQLITE_ROW) {
        if (stmt_) {
            const QString reason = connection_.lastError();
            finishStatement();
            if (rc != SQLITE_DONE)
                throw DatabaseError(reason);
        }
        eof_ = true;
        return;
    }
    // The one row held takes each row in turn, in the same storage.
    if (!rowsLetGo_) {
        rows_.assign(1, QByteArray());
        rows_.shrink_to_fit();
        rowIds_.assign(hasRowIds_ ? 1 : 0, 0);
        rowIds_.shrink_to_fit();
        rowsLetGo_ = true;
    }
    packStatementRow(walkedFields_, rows_[0]);
    if (hasRowIds_)
        rowIds_[0] = sqlite3_column_int64(stmt_, 0);
    rowPartial_ = !walkedFields_.empty();
    current_ = 0;
    bof_ = eof_ = false;
}

void Dataset::endWalk()
{
    if (!walking_)
        return;
    walking_ = false;
    if (rowPartial_) {
        rowPartial_ = false;
        rereadRow(0, rowIds_.at(0));
    }
    if (rowsLetGo_) {
        rowsLetGo_ = false;
        emit rowsReplaced();
    }
    emit currentChanged(current_);
}

int Dataset::fieldIndex(const QString &name) const
{
    for (int f = 0; f < fieldNames_.size(); ++f)
        if (fieldNames_[f].compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return -1;
}

bool Dataset::isWholeNumberField(int field) const
{
    return ColumnKind::of(declaredTypes_.at(field)) == ColumnKind::Kind::WholeNumber;
}

int Dataset::displayWidth(int field) const
{
    const int set = displayWidths_.at(field);
    if (set > 0)
        return set;
    const int size = ColumnKind::declaredSize(declaredTypes_.at(field));
    if (size > 0)
        return size;
    return isWholeNumberField(field) ? 10 : 20;
}

void Dataset::setDisplayWidth(int field, int width)
{
    if (displayWidths_.at(field) == width)
        return;
    displayWidths_.at(field) = width;
    emit displayWidthChanged(field);
}

QString Dataset::text(int field) const
{
    requireOpen();
    if (current_ < 0)
        return QString();
    return shownTextAt(current_, field);
}

int Dataset::requireField(const QString &name) const
{
    const int field = fieldIndex(name);
    if (field < 0)
        throw DatabaseError(noSuchField(name_, name));
    return field;
}

QString Dataset::text(const QString &name) const
{
    requireOpen();
    return text(requireField(name));
}

QString Dataset::textAt(int row, int field) const
{
    const QByteArray &blob = rows_.at(size_t(row));
    const char *ends = blob.constData();
    qint32 end = 0, start = 0;
    std::memcpy(&end, ends + field * sizeof(qint32), sizeof(qint32));
    if (field > 0)
        std::memcpy(&start, ends + (field - 1) * sizeof(qint32), sizeof(qint32));
    const int header = fieldCount() * int(sizeof(qint32) + 1);
    return QString::fromUtf8(blob.constData() + header + start, end - start);
}

QByteArray Dataset::rawAt(int row, int field) const
{
    const QByteArray &blob = rows_.at(size_t(row));
    qint32 end = 0, start = 0;
    std::memcpy(&end, blob.constData() + field * sizeof(qint32), sizeof(qint32));
    if (field > 0)
        std::memcpy(&start, blob.constData() + (field - 1) * sizeof(qint32), sizeof(qint32));
    const int header = fieldCount() * int(sizeof(qint32) + 1);
    return QByteArray(blob.constData() + header + start, end - start);
}

QString Dataset::shownTextAt(int row, int field) const
{
    if (row == current_ && state_ != State::Browse && pendingSet_.at(size_t(field)))
        return pending_.at(size_t(field));
    return textAt(row, field);
}

int Dataset::storageTypeAt(int row, int field) const
{
    const QByteArray &blob = rows_.at(size_t(row));
    return int(blob.at(fieldCount() * int(sizeof(qint32)) + field));
}

// ---------------------------------------------------------------- editing

bool Dataset::isModified() const
{
    for (std::size_t f = 0; f < pendingSet_.size(); ++f)
        if (pendingSet_[f] && (state_ == State::Edit || !pending_[f].isEmpty()))
            return true;
    return false;
}

void Dataset::clearPending()
{
    pending_.assign(size_t(fieldCount()), QString());
    pendingSet_.assign(size_t(fieldCount()), 0);
}

void Dataset::announceCurrent(int row)
{
    current_ = row;
    emit currentChanged(row);
}

void Dataset::edit()
{
    requireOpen();
    if (state_ != State::Browse || current_ < 0)
        return;
    clearPending();
    state_ = State::Edit;
    emit stateChanged();
}

void Dataset::setFieldText(int field, const QString &text)
{
    requireOpen();
    if (current_ < 0 || field < 0 || field >= fieldCount())
        return;
    edit();
    if (shownTextAt(current_, field) == text)
        return;
    pending_[size_t(field)] = text;
    pendingSet_[size_t(field)] = 1;
    emit rowChanged(current_);
}

void Dataset::flushInput()
{
    if (beforePost_) {
        const std::function<void()> hook = beforePost_;
        hook();
    }
}

// Before the cursor leaves the row: posts the pending change. Returns where
// a new row stood that was dropped because nothing was typed into it, else -1.
int Dataset::leaveRow()
{
    if (state_ == State::Browse)
        return -1;
    flushInput();
    if (state_ == State::Insert && !isModified()) {
        const int row = current_;
        dropUntouchedRow();
        return row;
    }
    post();
    return -1;
}

void Dataset::post()
{
    if (state_ == State::Browse)
        return;
    flushInput();
    if (state_ == State::Edit)
        writeEdit();
    else if (state_ == State::Insert && !isModified())
        dropUntouchedRow();
    else if (state_ == State::Insert)
        writeInsert();
}

void Dataset::cancel()
{
    switch (state_) {
    case State::Browse:
        return;
    case State::Edit:
        clearPending();
        state_ = State::Browse;
        emit rowChanged(current_);
        emit stateChanged();
        return;
    case State::Insert:
        dropUntouchedRow();
        return;
    }
}

bool Dataset::dropUntouchedRow()
{
    const int row = current_;
    rows_.erase(rows_.begin() + row);
    if (hasRowIds_)
        rowIds_.erase(rowIds_.begin() + row);
    clearPending();
    state_ = State::Browse;
    emit rowRemoved(row);
    bof_ = eof_ = rows_.empty();
    announceCurrent(rows_.empty() ? -1 : std::min(row, rowCount() - 1));
    emit stateChanged();
    return true;
}

void Dataset::addNewRow(int row)
{
    const int n = fieldCount();
    rows_.insert(rows_.begin() + row, packRow(std::vector<int>(size_t(n), SQLITE_NULL),
                                              std::vector<QByteArray>(size_t(n))));
    if (hasRowIds_)
        rowIds_.insert(rowIds_.begin() + row, 0);
    clearPending();
    state_ = State::Insert;
    bof_ = eof_ = false;
    emit rowInserted(row);
    announceCurrent(row);
    emit stateChanged();
}

// An untouched new row is not followed by another; any other row is left
// (and its change written) first.
bool Dataset::leaveForNewRow()
{
    requireOpen();
    flushInput();
    if (state_ == State::Insert && !isModified())
        return false;
    leaveRow();
    return true;
}

void Dataset::append()
{
    if (!leaveForNewRow())
        return;
    fetchAll();
    addNewRow(rowCount());
}

void Dataset::insert()
{
    if (leaveForNewRow())
        addNewRow(current_ < 0 ? 0 : current_);
}

bool Dataset::isFieldWritable(int field) const
{
    return !originNames_.at(field).isEmpty() && !tableName_.isEmpty()
           && fieldTables_.at(field) == tableName_;
}

bool Dataset::acceptsFieldText(int field, const QString &text) const
{
    if (text.isEmpty() || !isWholeNumberField(field))
        return true;
    static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
    if (!wholeNumber.match(text).hasMatch())
        return false;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    return ok && value >= INT_MIN && value <= INT_MAX;
}

void Dataset::checkFieldText(int field, const QString &text) const
{
    if (!acceptsFieldText(field, text))
        throw ConversionError(QStringLiteral("'%1' はフィールド '%2' の値として有効な整数値ではありません")
                                  .arg(text, fieldName(field)));
}

// A new text as it is written: the empty text as NULL, a whole number as an
// integer, anything else as text (the column's affinity then applies).
Dataset::Bound Dataset::boundText(int field, const QString &text) const
{
    if (text.isEmpty())
        return {SQLITE_NULL, {}};
    if (isWholeNumberField(field))
        return {SQLITE_INTEGER, {}, text.toLongLong()};
    return {SQLITE_TEXT, text.toUtf8()};
}

QString Dataset::quotedColumn(int field) const
{
    return quotedName(originNames_.at(field));
}

// Finds the row as it was read: by its row id, and every column read must
// still hold the value read, with the storage type read.
QString Dataset::rowCondition(int row, std::vector<Bound> &bound) const
{
    QStringList parts;
    if (hasRowIds_) {
        parts << QStringLiteral("rowid = ?");
        bound.push_back({SQLITE_INTEGER, {}, rowIds_.at(size_t(row))});
    }
    for (int f = 0; f < fieldCount(); ++f) {
        if (!isFieldWritable(f))
            continue;
        const QString column = quotedColumn(f);
        const QByteArray raw = rawAt(row, f);
        switch (storageTypeAt(row, f)) {
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
void Dataset::writeOneRow(const QString &sql, const std::vector<Bound> &bound, const QString &what)
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
                                .arg(name_, what)
                                .arg(changed));
    guard.commit();
}

void Dataset::writeEdit()
{
    if (tableName_.isEmpty())
        throw DatabaseError(QStringLiteral("%1: 書き込めるテーブルがありません").arg(name_));
    const int row = current_;
    QStringList sets;
    std::vector<Bound> bound;
    for (int f = 0; f < fieldCount(); ++f) {
        if (!pendingSet_[size_t(f)] || !isFieldWritable(f))
            continue;
        checkFieldText(f, pending_[size_t(f)]);
        sets << quotedColumn(f) + QStringLiteral(" = ?");
        bound.push_back(boundText(f, pending_[size_t(f)]));
    }
    if (!sets.isEmpty()) {
        const QString where = rowCondition(row, bound);
        writeOneRow(QStringLiteral("UPDATE ") + quotedName(tableName_) + QStringLiteral(" SET ")
                        + sets.join(QStringLiteral(", ")) + QStringLiteral(" WHERE ") + where,
                    bound, QStringLiteral("更新"));
        rereadRow(row, hasRowIds_ ? rowIds_[size_t(row)] : 0);
    }
    clearPending();
    state_ = State::Browse;
    emit rowChanged(row);
    emit stateChanged();
}

void Dataset::writeInsert()
{
    if (tableName_.isEmpty())
        throw DatabaseError(QStringLiteral("%1: 書き込めるテーブルがありません").arg(name_));
    const int row = current_;
    QStringList columns, marks;
    std::vector<Bound> bound;
    for (int f = 0; f < fieldCount(); ++f) {
        const QString &text = pending_[size_t(f)];
        if (!pendingSet_[size_t(f)] || text.isEmpty() || !isFieldWritable(f))
            continue;
        checkFieldText(f, text);
        columns << quotedColumn(f);
        marks << QStringLiteral("?");
        bound.push_back(boundText(f, text));
    }
    const QString values = columns.isEmpty()
                               ? QStringLiteral(" DEFAULT VALUES")
                               : QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (")
                                     + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    writeOneRow(QStringLiteral("INSERT INTO ") + quotedName(tableName_) + values, bound, QStringLiteral("追加"));
    const qint64 rowId = sqlite3_last_insert_rowid(connection_.handle());
    if (hasRowIds_)
        rowIds_[size_t(row)] = rowId;
    rereadRow(row, hasRowIds_ ? rowId : 0);
    clearPending();
    state_ = State::Browse;
    emit rowChanged(row);
    emit stateChanged();
}

// After a write the cached row holds what the table now holds, so that the
// next write finds it by the values as stored.
void Dataset::rereadRow(int row, qint64 rowId)
{
    const int n = fieldCount();
    std::vector<int> types(static_cast<std::size_t>(n));
    std::vector<QByteArray> texts(static_cast<std::size_t>(n));
    for (int f = 0; f < n; ++f) {
        if (pendingSet_[size_t(f)]) {
            const Bound b = boundText(f, pending_[size_t(f)]);
            types[size_t(f)] = b.type;
            texts[size_t(f)] = b.type == SQLITE_INTEGER ? QByteArray::number(b.integer) : b.bytes;
        } else {
            types[size_t(f)] = storageTypeAt(row, f);
            texts[size_t(f)] = rawAt(row, f);
        }
    }
    QStringList columns;
    std::vector<int> fields;
    for (int f = 0; f < n; ++f)
        if (isFieldWritable(f)) {
            columns << quotedColumn(f);
            fields.push_back(f);
        }
    if (rowId != 0 && !columns.isEmpty()) {
        const QByteArray sql = (QStringLiteral("SELECT ") + columns.join(QStringLiteral(", "))
                                + QStringLiteral(" FROM ") + quotedName(tableName_)
                                + QStringLiteral(" WHERE rowid = ?")).toUtf8();
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(connection_.handle(), sql.constData(), int(sql.size()), &stmt, nullptr) == SQLITE_OK) {
            sqlite3_bind_int64(stmt, 1, rowId);
            if (sqlite3_step(stmt) == SQLITE_ROW) {
                for (std::size_t c = 0; c < fields.size(); ++c) {
                    const int f = fields[c];
                    const int type = sqlite3_column_type(stmt, int(c));
                    const char *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, int(c)));
                    types[size_t(f)] = type;
                    texts[size_t(f)] = QByteArray(text, sqlite3_column_bytes(stmt, int(c)));
                }
            }
        }
        sqlite3_finalize(stmt);
    }
    rows_[size_t(row)] = packRow(types, texts);
}

void Dataset::deleteCurrent()
{
    requireOpen();
    if (current_ < 0)
        return;
    if (state_ == State::Insert) {
        dropUntouchedRow();
        return;
    }
    if (tableName_.isEmpty())
        throw DatabaseError(QStringLiteral("%1: 書き込めるテーブルがありません").arg(name_));
    const int row = current_;
    std::vector<Bound> bound;
    const QString where = rowCondition(row, bound);
    writeOneRow(QStringLiteral("DELETE FROM ") + quotedName(tableName_) + QStringLiteral(" WHERE ") + where,
                bound, QStringLiteral("削除"));
    rows_.erase(rows_.begin() + row);
    if (hasRowIds_)
        rowIds_.erase(rowIds_.begin() + row);
    clearPending();
    const bool wasEditing = state_ != State::Browse;
    state_ = State::Browse;
    emit rowRemoved(row);
    if (row >= rowCount() && canFetchMore())
        fetchMore();
    bof_ = eof_ = rows_.empty();
    announceCurrent(rows_.empty() ? -1 : std::min(row, rowCount() - 1));
    if (wasEditing)
        emit stateChanged();
}
