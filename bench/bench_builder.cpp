// Inserts built line by line: N rows of AINDX through the builder and the
// executor (ucSql(2), uExSql) in one transaction, as a value file is read,
// with the look-ups rewound for each line, and again with them read anew for
// each line; beside the reference of the same rows through one prepared
// statement with bound values.
//
//   bench_builder [rows]   (default 100000)
#include "WorkingFolder.h"
#include "store/StoreRoutines.h"
#include "store/Tdm.h"
#include "store/TransactionGuard.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <cstdio>
#include <functional>

namespace {

constexpr int kColumns = 12; // CNT IID IXNM DY DM DD HH HM RV EV CV TYO

// The texts of line k, as a value file gives them.
void lineTexts(int k, QString *texts)
{
    texts[0] = QString::number(k + 1);
    texts[1] = QStringLiteral("3");
    texts[2] = QStringLiteral("米雇用統計");
    texts[3] = QString::number(2000 + k / 8760);
    texts[4] = QString::number(k / 720 % 12 + 1);
    texts[5] = QString::number(k / 24 % 28 + 1);
    texts[6] = QString::number(k % 24);
    texts[7] = QStringLiteral("30");
    texts[8] = QString::number(k % 500 - 250);
    texts[9] = QString::number(k % 300 - 150);
    texts[10] = QString();
    texts[11] = QStringLiteral("速報");
}

qint64 timed(Tdm &dm, const std::function<void(int)> &line, int rows)
{
    dm.csq.execute(QStringLiteral("delete from AINDX"));
    QElapsedTimer clock;
    clock.start();
    TransactionGuard transaction(dm.csq, TransactionGuard::Transaction);
    for (int k = 0; k < rows; ++k)
        line(k);
    transaction.commit();
    return clock.elapsed();
}

QString storedRows(Tdm &dm)
{
    dm.qw->setSql(QStringLiteral("select count(*) || ' ' || total(RV) || ' ' || group_concat(IXNM || DD, '') "
                                 "from AINDX"));
    dm.qw->open();
    return QString::number(qHash(dm.qw->text(0)), 16);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;

    QTemporaryDir folder;
    prepareWorkingFolder(folder);
    Tdm dm;
    StoreRoutines store;
    store.setDataModule(&dm);
    store.uqCtbl(4);
    store.stnm = QStringLiteral("AINDX");

    auto builtLine = [&](int k) {
        store.clearValueSlots();
        lineTexts(k, &store.sa[StoreRoutines::kFirstValueSlot]);
        store.ucSql(2);
        store.uExSql();
    };
    const qint64 rewound = timed(dm, builtLine, rows);
    const QString rewoundRows = storedRows(dm);

    const qint64 readAnew = timed(dm, [&](int k) {
        store.setDataModule(&dm); // forgets the look-ups
        builtLine(k);
    }, rows);
    const QString readAnewRows = storedRows(dm);

    sqlite3_stmt *stmt = nullptr;
    const QByteArray sql = "insert into AINDX (CNT, IID, IXNM, DY, DM, DD, HH, HM, RV, EV, CV, TYO) "
                           "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
    sqlite3_prepare_v2(dm.csq.handle(), sql.constData(), int(sql.size()), &stmt, nullptr);
    const bool integer[kColumns] = {true, true, false, false, false, false, false, false, true, true, true, false};
    QString texts[kColumns];
    const qint64 reference = timed(dm, [&](int k) {
        lineTexts(k, texts);
        for (int c = 0; c < kColumns; ++c) {
            if (texts[c].isEmpty()) {
                sqlite3_bind_null(stmt, c + 1);
            } else if (integer[c]) {
                sqlite3_bind_int64(stmt, c + 1, texts[c].toLongLong());
            } else {
                const QByteArray utf8 = texts[c].toUtf8();
                sqlite3_bind_text(stmt, c + 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
            }
        }
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }, rows);
    sqlite3_finalize(stmt);
    const QString referenceRows = storedRows(dm);

    std::printf("%d inserts into AINDX in one transaction\n", rows);
    std::printf("reference: one prepared statement         %7lld ms\n", static_cast<long long>(reference));
    std::printf("builder, look-ups read anew every line    %7lld ms  ratio %5.2f\n",
                static_cast<long long>(readAnew), double(readAnew) / double(reference));
    std::printf("builder, look-ups rewound (ours)          %7lld ms  ratio %5.2f\n",
                static_cast<long long>(rewound), double(rewound) / double(reference));
    std::printf("rows stored alike: %s\n",
                rewoundRows == readAnewRows && readAnewRows == referenceRows ? "yes" : "NO");
    return 0;
}
