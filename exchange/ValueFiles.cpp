// Writing the releases to value files and reading them back.
#include "TextFileOutput.h"
#include "ValueLine.h"
#include "app/VostrelF.h"
#include "store/Boxes.h"
#include "store/Errors.h"
#include "store/Tdm.h"
#include <QDir>
#include <QLineEdit>

namespace {

// Moves a query to its first row whose field holds exactly the text; on the
// last row when there is none.
void moveToFirst(Dataset &query, const QString &field, const QString &text)
{
    for (query.first(); !query.eof(); query.next())
        if (query.text(field) == text)
            return;
}

// The lines of a value file from the rows of its select, each ended by
// CR LF. A value holding a line break stops the write before the file is
// touched.
QString valueFileText(Dataset &rows, int columns, const QString &indicator)
{
    rows.fetchAll();
    QString text;
    QStringList values;
    for (int row = 0; row < rows.rowCount(); ++row) {
        values.clear();
        for (int column = 0; column < columns; ++column) {
            values << rows.textAt(row, column);
            if (ValueLine::breaksLine(values.last()))
                throw FileError(QStringLiteral("経済指標 '%1' の行番号 %2 の値に改行があります。CSVﾌｧｲﾙに書けません")
                                    .arg(indicator, rows.textAt(row, 0)));
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

void TVostrelF::writeValueFiles(const QString &folder)
{
    Dataset &qe1 = *dm().qe1;
    Dataset &qw = *dm().qw;
    dm().qe2->close();
    const QString six = qe1.text(QStringLiteral("IXNM"));
    qe1.first();
    Boxes::current().message(QDir::toNativeSeparators(folder) + QStringLiteral("  CSVﾌｧｲﾙに書出します"));
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
        const int n = dm().qst->rowCount();
        TextFileOutput::write(file, valueFileText(qw, n, qe1.text(QStringLiteral("IXNM"))));
        qw.close();
    }
    moveToFirst(qe1, QStringLiteral("IXNM"), six);
    uqe2(1);
    Boxes::current().message(QStringLiteral("CSVﾌｧｲﾙ書込終了"));
}

void TVostrelF::readValueFiles(const QString &) {}

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
