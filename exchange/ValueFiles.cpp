// Writing the releases to value files and reading them back.
#include "CsvFile.h"
#include "CsvSplit.h"
#include "ImportReport.h"
#include "TextFileOutput.h"
#include "ValueLine.h"
#include "app/ImportProgress.h"
#include "app/VostrelF.h"
#include "store/Boxes.h"
#include "store/Errors.h"
#include "store/ForwardWalk.h"
#include "store/PreparedInsert.h"
#include "store/Tdm.h"
#include "store/TransactionGuard.h"
#include "store/WholeNumber.h"
#include <QDir>
#include <QLineEdit>
#include <optional>

namespace {

// A line of a value file holds CNT and the eleven columns after it.
constexpr int kValueFields = 12;

// Moves a query to its first row whose field holds exactly the text; on the
// last row when there is none.
void moveToFirst(Dataset &query, const QString &field, const QString &text)
{
    for (query.first(); !query.eof(); query.next())
        if (query.text(field) == text)
            return;
}

// The releases the write goes through, for its progress: all but those of
// the indicator 9.
int rowsToWrite(Connection &db)
{
    Dataset count(db, QStringLiteral("count"));
    count.setSql(QStringLiteral("select count(*) from AINDX where IID <> 9"));
    count.open();
    return count.text(0).toInt();
}

// The lines of a value file from the rows of its select, each ended by
// CR LF; nothing once the user has cancelled. written counts the rows of the
// whole write. A value holding a line break stops the write before the file
// is touched.
std::optional<QString> valueFileText(Dataset &rows, int columns, const QString &indicator, ImportProgress &progress,
                                     int &written)
{
    QString text;
    QStringList values;
    ForwardWalk walk(rows);
    for (; !rows.eof(); rows.walkNext()) {
        if (!progress.advance(written++))
            return std::nullopt;
        values.clear();
        for (int column = 0; column < columns; ++column) {
            values << rows.text(column);
            if (ValueLine::breaksLine(values.last()))
                throw FileError(QStringLiteral("経済指標 '%1' の行番号 %2 の値に改行があります。CSVﾌｧｲﾙに書けません")
                                    .arg(indicator, rows.text(0)));
        }
        text += ValueLine::join(values);
        text += QLatin1String("\r\n");
    }
    return text;
}

} // namespace

void TVostrelF::uqCsv(int id)
{
    // A folder that cannot be made is passed over: the file it should hold
    // then fails with its own path and reason.
    const QString folder = QDir::currentPath() + QStringLiteral("/経済指標/CSV");
    QDir().mkpath(folder);
    stnm = QStringLiteral("AINDX");
    switch (id) {
    case 1: writeValueFiles(folder); break;
    case 2: readValueFiles(folder); break;
    case 3: readPriceFiles(); break;
    default: break;
    }
}

// Every file is replaced whole once its text is complete: a cancel leaves
// the files written so far and every other file as it was.
void TVostrelF::writeValueFiles(const QString &folder)
{
    Dataset &qe1 = *dm().qe1;
    dm().qe2->close();
    const QString six = qe1.text(QStringLiteral("IXNM"));
    qe1.first();
    Boxes::current().message(QDir::toNativeSeparators(folder) + QStringLiteral("  CSVﾌｧｲﾙに書出します"));
    ImportProgress progress(this, ImportProgress::Work::Writing);
    const int filesWritten = writeEveryValueFile(folder, progress);
    moveToFirst(qe1, QStringLiteral("IXNM"), six);
    uqe2(1);
    if (progress.wasCancelled())
        Boxes::current().message(
            QStringLiteral("CSVﾌｧｲﾙ書込を中止しました。書き終えたﾌｧｲﾙは %1 個、他のﾌｧｲﾙは元のままです").arg(filesWritten));
    else
        Boxes::current().message(QStringLiteral("CSVﾌｧｲﾙ書込終了"));
}

// The files of every indicator but the id 9, until the user cancels; how
// many were written.
int TVostrelF::writeEveryValueFile(const QString &folder, ImportProgress &progress)
{
    Dataset &qe1 = *dm().qe1;
    Dataset &qw = *dm().qw;
    const int total = rowsToWrite(dm().csq);
    int written = 0;
    int files = 0;
    for (; !qe1.eof(); qe1.next()) {
        const QString iid = qe1.text(QStringLiteral("IID"));
        if (iid == QLatin1String("9"))
            continue;
        swh = QStringLiteral(" where IID = ") + iid + QStringLiteral(" order by DY, DM, DD, HH, HM, CNT ");
        const QString file = folder + QLatin1Char('/') + qe1.text(QStringLiteral("CSVNM")) + QStringLiteral(".CSV");
        ucSql(1);
        qw.close();
        qw.setSql(sqw);
        qw.open();
        dm().qst->fetchAll();
        progress.beginFile(QDir::toNativeSeparators(file), total);
        const std::optional<QString> text =
            valueFileText(qw, dm().qst->rowCount(), qe1.text(QStringLiteral("IXNM")), progress, written);
        qw.close();
        if (!text)
            break;
        TextFileOutput::write(file, *text);
        ++files;
    }
    return files;
}

void TVostrelF::readValueFiles(const QString &folder)
{
    if (!Boxes::current().confirmYesNo(QStringLiteral("ﾃｰﾌﾞﾙﾃﾞｰﾀは書き換えられますが実行しますか?")))
        return;
    Dataset &qe1 = *dm().qe1;
    const int itb = WholeNumber::parse(qe1.text(QStringLiteral("CNT")));
    dm().qe2->close();
    qe1.first();
    ImportProgress progress(this);
    ImportReport report;
    const bool completed = replaceValues(folder, progress, report);
    moveToFirst(qe1, QStringLiteral("CNT"), QString::number(itb));
    uqe2(1);
    Boxes::current().message(completed ? report.closingText() : ImportReport::cancelledText());
}

// The whole replacement is one transaction: a file that cannot be read, a
// short line or the user's cancel stops the read with AINDX exactly as it
// was (false on a cancel). A line that the database refuses is undone
// alone, uses up its number and is counted.
bool TVostrelF::replaceValues(const QString &folder, ImportProgress &progress, ImportReport &report)
{
    Dataset &qe1 = *dm().qe1;
    TransactionGuard replacement(dm().csq, TransactionGuard::Transaction);
    sqw = QStringLiteral(" delete from ") + stnm;
    executeOrRaise();
    PreparedInsert insert(dm().csq, stnm, insertColumns());
    int iz = 1;
    for (; !qe1.eof(); qe1.next()) {
        const QString csvnm = qe1.text(QStringLiteral("CSVNM"));
        if (csvnm == QLatin1String("CLN"))
            continue;
        const QString path = folder + QLatin1Char('/') + csvnm + QStringLiteral(".CSV");
        const QString file = QDir::toNativeSeparators(path);
        const QString text = CsvFile::read(path);
        const QList<QStringView> lines = CsvFile::lines(text);
        progress.beginFile(file, int(lines.size()));
        for (int l = 0; l < lines.size(); ++l) {
            if (!progress.advance(l))
                return false;
            const QStringList fields = CsvSplit::atCommas(lines[l]);
            if (fields.size() < kValueFields)
                throw FileError(QStringLiteral("ファイル '%1' の %2 行目を読めません: 項目が %3 個しかありません (%4 個必要)")
                                    .arg(file)
                                    .arg(l + 1)
                                    .arg(fields.size())
                                    .arg(kValueFields));
            clearValueSlots();
            sa[11] = QString::number(iz);
            for (int k = 1; k < kValueFields; ++k)
                sa[11 + k] = fields[k];
            if (!storeValueRow(insert))
                report.refuse(file, l + 1);
            iz = WholeNumber::add(iz, 1);
        }
    }
    replacement.commit();
    return true;
}

// The insert of slots 11 on, bound where that stores the row the builder's
// statement stores, else the builder's statement; false when refused.
bool TVostrelF::storeValueRow(PreparedInsert &insert)
{
    switch (insert.run(&sa[kFirstValueSlot])) {
    case PreparedInsert::Outcome::Stored: return true;
    case PreparedInsert::Outcome::Refused: return false;
    case PreparedInsert::Outcome::NeedsLiteral: break;
    }
    return insertSlotsOrRefuse();
}

void TVostrelF::a203cwBClick(QObject *)
{
    uqCsv(1);
    a102knE->setFocus();
}

void TVostrelF::a204crBClick(QObject *)
{
    uqCsv(2);
    a102knE->setFocus();
}
