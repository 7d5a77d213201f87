#include "PreparedInsert.h"
#include "Connection.h"
#include "Errors.h"
#include "NumberLiteral.h"
#include "TextCut.h"
#include <sqlite3.h>
#include <algorithm>

namespace {

constexpr int kMostPlainDigits = 18; // below 2^63 whatever the digits

// An optional sign and 1 to 18 ASCII digits, read exactly.
bool plainWholeNumber(QStringView text, qint64 &value)
{
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == u'-';
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+'))
        i = 1;
    const qsizetype digits = text.size() - i;
    if (digits < 1 || digits > kMostPlainDigits)
        return false;
    qint64 v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c - u'0');
    }
    value = negative ? -v : v;
    return true;
}

} // namespace

PreparedInsert::PreparedInsert(Connection &db, const QString &table, std::vector<Column> columns)
    : db_(db), columns_(std::move(columns)), texts_(columns_.size()), converted_(columns_.size()),
      integers_(columns_.size()), bindings_(columns_.size()),
      bound_(columns_.size(), Binding::Literal), boundIntegers_(columns_.size()), views_(columns_.size())
{
    QString names;
    QString marks;
    for (size_t k = 0; k < columns_.size(); ++k) {
        names += (k ? QStringLiteral(", ") : QString()) + columns_[k].name;
        marks += k ? QStringLiteral(", ?") : QStringLiteral("?");
    }
    const QByteArray sql = (QStringLiteral(" insert into ") + table + QStringLiteral(" ( ") + names
                            + QStringLiteral(" ) values ( ") + marks + QStringLiteral(" ) "))
                               .toUtf8();
    if (!db_.isOpen())
        throw DatabaseError(QStringLiteral("データベースに接続されていません"));
    if (sqlite3_prepare_v2(db_.handle(), sql.constData(), int(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        throw DatabaseError(db_.lastError());
}

PreparedInsert::~PreparedInsert() { sqlite3_finalize(stmt_); }

PreparedInsert::Binding PreparedInsert::classify(int column, QStringView value, qint64 &integer) const
{
    if (value.isEmpty())
        return Binding::Null;
    if (std::find(value.begin(), value.end(), QChar(u'\0')) != value.end())
        return Binding::Literal;
    if (columns_[column].text)
        return Binding::Text;
    // A plain whole number is always one the number rule accepts.
    if (plainWholeNumber(value, integer))
        return Binding::Integer;
    return NumberLiteral::accepts(value.toString()) ? Binding::Literal : Binding::Refused;
}

// The UTF-8 of the value cut to its column, in the column's own buffer: a
// text of ASCII only is copied byte for byte into the room it had before,
// any other is converted. A text the same as the one bound for the row
// before stays bound as it is (the name and the date parts repeat from line
// to line).
void PreparedInsert::bindText(int column, QStringView value)
{
    const QStringView cut = TextCut::toLength(value, columns_[column].length);
    QByteArray &utf8 = texts_[column];
    QString &converted = converted_[column];
    const bool ascii = std::all_of(cut.begin(), cut.end(), [](QChar c) { return c.unicode() < 0x80; });
    const bool same = bound_[column] == Binding::Text
                      && (ascii ? std::equal(cut.begin(), cut.end(), utf8.cbegin(), utf8.cend(),
                                             [](QChar c, char b) { return c.unicode() == uchar(b); })
                                : cut == converted);
    if (same)
        return;
    if (ascii) {
        utf8.resize(cut.size());
        std::transform(cut.begin(), cut.end(), utf8.data(), [](QChar c) { return char(c.unicode()); });
        converted.clear();
    } else {
        utf8 = cut.toUtf8();
        converted = cut.toString();
    }
    sqlite3_bind_text(stmt_, column + 1, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
    bound_[column] = Binding::Text;
}

PreparedInsert::Outcome PreparedInsert::run(const QString *values)
{
    std::copy(values, values + columnCount(), views_.begin());
    return run(views_.data());
}

PreparedInsert::Outcome PreparedInsert::run(const QStringView *values)
{
    const int n = columnCount();
    for (int k = 0; k < n; ++k) {
        bindings_[k] = classify(k, values[k], integers_[k]);
        if (bindings_[k] == Binding::Refused)
            return Outcome::Refused;
    }
    for (int k = 0; k < n; ++k)
        if (bindings_[k] == Binding::Literal)
            return Outcome::NeedsLiteral;

    // The statement was reset after its last step; its bindings stay, and a
    // value bound already for the row before is not bound again.
    for (int k = 0; k < n; ++k) {
        switch (bindings_[k]) {
        case Binding::Null:
            if (bound_[k] != Binding::Null)
                sqlite3_bind_null(stmt_, k + 1);
            bound_[k] = Binding::Null;
            break;
        case Binding::Integer:
            if (bound_[k] != Binding::Integer || boundIntegers_[k] != integers_[k])
                sqlite3_bind_int64(stmt_, k + 1, integers_[k]);
            bound_[k] = Binding::Integer;
            boundIntegers_[k] = integers_[k];
            break;
        default: // Text
            bindText(k, values[k]);
            break;
        }
    }
    const bool inTransaction = db_.inTransaction();
    const int rc = sqlite3_step(stmt_);
    const QString reason = rc == SQLITE_DONE ? QString() : db_.lastError();
    sqlite3_reset(stmt_);
    if (rc == SQLITE_DONE)
        return Outcome::Stored;
    if (inTransaction && !db_.inTransaction())
        throw DatabaseError(reason);
    return Outcome::Refused;
}
