#include "ReactionSource.h"
#include "store/BusyCursor.h"
#include "store/Connection.h"
#include "store/Errors.h"
#include "store/WholeNumber.h"
#include <QDate>
#include <sqlite3.h>
#include <array>
#include <limits>

namespace Reaction {

namespace {

// One select, stepped forward to its end; finalized when it goes.
class Select {
public:
    Select(Connection &connection, const QString &sql) : connection_(connection)
    {
        if (!connection.isOpen())
            throw DatabaseError(QStringLiteral("データベースに接続されていません"));
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(connection.handle(), text.constData(), int(text.size()), &stmt_, nullptr) != SQLITE_OK)
            throw DatabaseError(connection.lastError());
    }
    ~Select() { sqlite3_finalize(stmt_); }
    Select(const Select &) = delete;
    Select &operator=(const Select &) = delete;

    int field(const char *name) const
    {
        for (int c = 0; c < sqlite3_column_count(stmt_); ++c)
            if (qstricmp(sqlite3_column_name(stmt_, c), name) == 0)
                return c;
        throw DatabaseError(QStringLiteral("フィールド '%1' が見つかりません").arg(QLatin1String(name)));
    }

    bool step()
    {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            throw DatabaseError(connection_.lastError());
        return false;
    }

    QByteArrayView bytes(int c) const
    {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, c));
        return QByteArrayView(text, sqlite3_column_bytes(stmt_, c));
    }
    QString text(int c) const { return QString::fromUtf8(bytes(c)); }
    bool isInteger(int c) const { return sqlite3_column_type(stmt_, c) == SQLITE_INTEGER; }
    qint64 integer(int c) const { return sqlite3_column_int64(stmt_, c); }

private:
    Connection &connection_;
    sqlite3_stmt *stmt_ = nullptr;
};

// A time's five fields, by position in the select.
using TimeFields = std::array<int, 5>;

TimeFields timeFields(const Select &select, const char *year, const char *month, const char *day,
                      const char *hour, const char *minute)
{
    return {select.field(year), select.field(month), select.field(day), select.field(hour), select.field(minute)};
}

qint64 fullMinuteOf(const Select &select, const TimeFields &f)
{
    return Reaction::minuteOf(select.text(f[0]), select.text(f[1]), select.text(f[2]), select.text(f[3]),
                              select.text(f[4]));
}

// The digits of a stamp's part straight from the row's bytes; -1 when the
// part is no plain number, which the full reading then reports.
int quickDigits(QByteArrayView bytes)
{
    if (bytes.isEmpty() || bytes.size() > 4)
        return -1;
    int value = 0;
    for (char c : bytes) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The stamp of a price row: most are plain digits of a valid time, read
// without making texts; the rest go through the full reading, which raises
// for a stamp that names no time.
qint64 stampOf(const Select &select, const TimeFields &f, qint64 &dayCache, int (&dayKey)[3])
{
    int parts[5];
    for (int k = 0; k < 5; ++k)
        parts[k] = quickDigits(select.bytes(f[size_t(k)]));
    const bool plain = parts[0] >= 0 && parts[1] >= 0 && parts[2] >= 0 && parts[3] >= 0 && parts[3] < 24
                       && parts[4] >= 0 && parts[4] < 60;
    if (!plain)
        return fullMinuteOf(select, f);
    // Consecutive rows mostly share their day.
    if (parts[0] != dayKey[0] || parts[1] != dayKey[1] || parts[2] != dayKey[2]) {
        if (!QDate::isValid(parts[0], parts[1], parts[2]))
            return fullMinuteOf(select, f);
        dayCache = QDate(parts[0], parts[1], parts[2]).toJulianDay() * 24 * 60;
        dayKey[0] = parts[0];
        dayKey[1] = parts[1];
        dayKey[2] = parts[2];
    }
    return dayCache + parts[3] * 60 + parts[4];
}

int wholeValue(const Select &select, int c)
{
    if (select.isInteger(c)) {
        const qint64 value = select.integer(c);
        if (value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())
            return int(value);
    }
    return WholeNumber::parse(select.text(c));
}

} // namespace

std::vector<PriceBar> readPrices(Connection &connection, const QString &sql)
{
    BusyCursor busy;
    Select select(connection, sql);
    const TimeFields time = timeFields(select, "DYL", "DML", "DDL", "HHL", "HML");
    const int close = select.field("CV");
    std::vector<PriceBar> prices;
    qint64 dayCache = 0;
    int dayKey[3] = {-1, -1, -1};
    while (select.step())
        prices.push_back({stampOf(select, time, dayCache, dayKey), wholeValue(select, close)});
    return prices;
}

std::vector<Release> readReleases(Connection &connection, const QString &sql)
{
    BusyCursor busy;
    Select select(connection, sql);
    const TimeFields time = timeFields(select, "DY", "DM", "DD", "HH", "HM");
    const int rv = select.field("RV"), ev = select.field("EV"), cv = select.field("CV");
    std::vector<Release> releases;
    while (select.step())
        releases.push_back({fullMinuteOf(select, time), valueOf(select.text(rv)), valueOf(select.text(ev)),
                            valueOf(select.text(cv))});
    return releases;
}

} // namespace Reaction
