#include "Dataset.h"
#include "BusyCursor.h"
#include "Connection.h"
#include "Errors.h"
#include <QRegularExpression>
#include <sqlite3.h>
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

int sizeInDeclaredType(const QString &declared)
{
    static const QRegularExpression size(QStringLiteral("\\(\\s*(\\d+)"));
    const QRegularExpressionMatch match = size.match(declared);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

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
    if (!connection_.isOpen())
        throw DatabaseError(QStringLiteral("%1: データベースに接続されていません").arg(name_));
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
        if (tableName_.isEmpty() && sqlite3_column_table_name(stmt_, c))
            tableName_ = QString::fromUtf8(sqlite3_column_table_name(stmt_, c));
    }
    displayWidths_.assign(fieldNames_.size(), 0);
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
    displayWidths_.clear();
    tableName_.clear();
    current_ = -1;
    bof_ = eof_ = true;
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
    const int n = fieldCount();
    const int header = n * int(sizeof(qint32) + 1);
    int textBytes = 0;
    for (int f = 0; f < n; ++f)
        textBytes += sqlite3_column_bytes(stmt_, f + firstField_);
    QByteArray blob(header + textBytes, Qt::Uninitialized);
    char *ends = blob.data();
    char *types = ends + n * sizeof(qint32);
    char *texts = blob.data() + header;
    qint32 end = 0;
    for (int f = 0; f < n; ++f) {
        const int c = f + firstField_;
        const int type = sqlite3_column_type(stmt_, c);
        const unsigned char *text = sqlite3_column_text(stmt_, c);
        const int bytes = sqlite3_column_bytes(stmt_, c);
        if (bytes > 0)
            std::memcpy(texts + end, text, size_t(bytes));
        end += bytes;
        std::memcpy(ends + f * sizeof(qint32), &end, sizeof(qint32));
        types[f] = char(type);
    }
    rows_.push_back(std::move(blob));
    if (hasRowIds_)
        rowIds_.push_back(sqlite3_column_int64(stmt_, 0));
}

void Dataset::requireOpen() const
{
    if (!open_)
        throw DatabaseError(QStringLiteral("%1: 閉じたデータセットでは操作できません").arg(name_));
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
    bof_ = true;
    eof_ = rows_.empty();
    setCurrent(rows_.empty() ? -1 : 0);
}

void Dataset::next()
{
    requireOpen();
    if (current_ + 1 >= rowCount())
        fetchMore();
    if (current_ + 1 >= rowCount()) {
        eof_ = true;
        return;
    }
    bof_ = eof_ = false;
    setCurrent(current_ + 1);
}

void Dataset::prior()
{
    requireOpen();
    if (current_ <= 0) {
        bof_ = true;
        return;
    }
    bof_ = eof_ = false;
    setCurrent(current_ - 1);
}

void Dataset::last()
{
    requireOpen();
    fetchAll();
    eof_ = true;
    bof_ = rows_.empty();
    setCurrent(rowCount() - 1);
}

void Dataset::moveTo(int row)
{
    requireOpen();
    while (row >= rowCount() && canFetchMore())
        fetchMore();
    if (row < 0 || row >= rowCount())
        return;
    bof_ = eof_ = false;
    setCurrent(row);
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
    return declaredTypes_.at(field).contains(QLatin1String("INT"), Qt::CaseInsensitive);
}

int Dataset::displayWidth(int field) const
{
    const int set = displayWidths_.at(field);
    if (set > 0)
        return set;
    const int size = sizeInDeclaredType(declaredTypes_.at(field));
    if (size > 0)
        return size;
    return isWholeNumberField(field) ? 10 : 20;
}

void Dataset::setDisplayWidth(int field, int width)
{
    displayWidths_.at(field) = width;
}

QString Dataset::text(int field) const
{
    requireOpen();
    if (current_ < 0)
        return QString();
    return textAt(current_, field);
}

QString Dataset::text(const QString &name) const
{
    requireOpen();
    const int field = fieldIndex(name);
    if (field < 0)
        throw DatabaseError(noSuchField(name_, name));
    return text(field);
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

int Dataset::storageTypeAt(int row, int field) const
{
    const QByteArray &blob = rows_.at(size_t(row));
    return int(blob.at(fieldCount() * int(sizeof(qint32)) + field));
}
