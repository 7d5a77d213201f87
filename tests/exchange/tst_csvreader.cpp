#include "exchange/CsvFile.h"
#include "exchange/CsvSplit.h"
#include "exchange/PriceLine.h"
#include "store/Errors.h"
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList texts(const QList<QStringView> &views)
{
    QStringList result;
    for (QStringView v : views)
        result << v.toString();
    return result;
}

QByteArray writeRead(const QTemporaryDir &dir, const QByteArray &bytes, QString *text)
{
    const QString path = dir.filePath(QStringLiteral("f.CSV"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return "cannot write";
    file.close();
    *text = CsvFile::read(path);
    return QByteArray();
}

} // namespace

// Reading CSV files: encodings, lines, both splitting rules and the taking of
// the price fields.
class TestCsvReader : public QObject {
    Q_OBJECT
private slots:
    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QString text = QStringLiteral("米ドル,ﾄﾞﾙ円");
        QTest::newRow("UTF-8 with its mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << text;
        QByteArray le("\xFF\xFE"), be("\xFE\xFF");
        for (QChar c : text) {
            le += char(c.unicode() & 0xFF), le += char(c.unicode() >> 8);
            be += char(c.unicode() >> 8), be += char(c.unicode() & 0xFF);
        }
        QTest::newRow("UTF-16 LE") << le << text;
        QTest::newRow("UTF-16 BE") << be << text;
        QTest::newRow("code page 932: kanji, half-width kana")
            << QByteArray::fromHex("95c48368838b2cc4ded9897e") << text;
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(CsvFile::decode(bytes), text);
        QTemporaryDir dir;
        QString read;
        QCOMPARE(writeRead(dir, bytes, &read), QByteArray());
        QCOMPARE(read, text);
    }

    // A file read in blocks: characters cut at a block's end, in code page
    // 932 and in UTF-16, come out whole.
    void longFilesReadWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QString text = QStringLiteral("x") + QString(700000, QChar(u'円')) + QStringLiteral("ｱ");
        QByteArray cp932("x");
        for (int k = 0; k < 700000; ++k)
            cp932 += "\x89\x7e";
        cp932 += "\xb1";
        QTest::newRow("code page 932") << cp932 << text;
        QByteArray le("\xFF\xFEx", 3);
        le += '\0';
        for (int k = 0; k < 700000; ++k)
            le += "\x86\x51";
        le += "\x71\xff";
        QTest::newRow("UTF-16 LE") << le << text;
    }
    void longFilesReadWhole()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QTemporaryDir dir;
        QString read;
        QCOMPARE(writeRead(dir, bytes, &read), QByteArray());
        QCOMPARE(read.size(), text.size());
        QVERIFY(read == text);
    }

    void missingFileNamesPathAndReason()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("FXﾃﾞｰﾀ/CSV/USDJPY.CSV"));
        try {
            CsvFile::read(path);
            QFAIL("no error");
        } catch (const FileError &e) {
            QVERIFY2(e.text().contains(path), qPrintable(e.text()));
            QVERIFY2(e.text().contains(QLatin1String("No such file")), qPrintable(e.text()));
        }
    }

    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("no break at the end") << "a" << QStringList{"a"};
        QTest::newRow("break at the end") << "a\r\n" << QStringList{"a"};
        QTest::newRow("CR LF, LF, CR") << "a\r\nb\nc\rd" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("CR only") << "a\rb\r" << QStringList{"a", "b"};
        QTest::newRow("empty lines inside") << "a\n\nb\r\r\n" << QStringList{"a", "", "b", ""};
        QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
        QTest::newRow("one break") << "\r\n" << QStringList{""};
    }
    void lines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(texts(CsvFile::lines(text)), lines);
    }

    // Lines taken a piece at a time are the lines of the whole text, also
    // when a break, a CR LF or a character is cut at a piece's end (pieces
    // of 64 KiB), and so is their count.
    void lineReader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray piece(65535, 'a');
        QByteArray le("\xFF\xFE");
        for (char c : QByteArray(32766, 'a') + "\r\nb\rc\n")
            le += c, le += '\0';
        QTest::newRow("breaks of every kind") << QByteArray("a\r\nb\nc\rd\n\nb\r\r\n\n\re");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one break") << QByteArray("\r\n");
        QTest::newRow("CR LF across pieces") << piece + "\r\nb";
        QTest::newRow("lone CR at a piece's end") << piece + "\rb\r";
        QTest::newRow("CR at the very end") << piece + "\r";
        QTest::newRow("code page 932 character across pieces") << piece + "\x89\x7e\r\n\xb1";
        QTest::newRow("UTF-16 LE, CR LF across pieces") << le;
        QTest::newRow("UTF-8 with its mark") << QByteArray("\xEF\xBB\xBF") + QStringLiteral("円\n\nｱ\r").toUtf8();
        QTest::newRow("code page 932 lead bytes before breaks and at the end") << QByteArray("a\x81\nb\x81\r\nc\x81");
        QTest::newRow("line over several pieces") << QByteArray(200000, 'x') + "\ny\n";
    }
    void lineReader()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QString text;
        QCOMPARE(writeRead(dir, bytes, &text), QByteArray());
        const QStringList whole = texts(CsvFile::lines(text));
        CsvFile::LineReader reader(dir.filePath(QStringLiteral("f.CSV")));
        QCOMPARE(reader.count(), whole.size());
        for (int pass = 0; pass < 2; ++pass) {
            QStringList taken;
            QStringView line;
            while (reader.next(line))
                taken << line.toString();
            QCOMPARE(taken, whole);
            reader.rewind();
        }
    }

    void split_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("commas");
        QTest::addColumn<QStringList>("blanks");
        QTest::newRow("empty") << "" << QStringList{} << QStringList{};
        QTest::newRow("blanks only") << " \t " << QStringList{" \t "} << QStringList{};
        QTest::newRow("plain") << "a,b,c" << QStringList{"a", "b", "c"} << QStringList{"a", "b", "c"};
        QTest::newRow("blanks belong to fields or separate")
            << " a , b" << QStringList{" a ", " b"} << QStringList{"a", "b"};
        QTest::newRow("date and time in one field")
            << "2023/01/05 09:30,130.1" << QStringList{"2023/01/05 09:30", "130.1"}
            << QStringList{"2023/01/05", "09:30", "130.1"};
        QTest::newRow("tab and control characters")
            << "a\tb\x01" "c\x1f" << QStringList{"a\tb\x01" "c\x1f"} << QStringList{"a", "b", "c"};
        QTest::newRow("empty fields between commas")
            << "a,,b, ,c" << QStringList{"a", "", "b", " ", "c"} << QStringList{"a", "", "b", "", "c"};
        QTest::newRow("comma at the end") << "a," << QStringList{"a", ""} << QStringList{"a", ""};
        QTest::newRow("comma and blanks at the end") << "a , " << QStringList{"a ", " "} << QStringList{"a", ""};
        QTest::newRow("blanks at the end") << "a  " << QStringList{"a  "} << QStringList{"a"};
        QTest::newRow("comma at the start") << ",a" << QStringList{"", "a"} << QStringList{"", "a"};
        QTest::newRow("only commas") << ",," << QStringList{"", "", ""} << QStringList{"", "", ""};
        QTest::newRow("quoted with comma, blank and quote")
            << "\"a, \"\"b\"\"\",c" << QStringList{"a, \"b\"", "c"} << QStringList{"a, \"b\"", "c"};
        QTest::newRow("text after the closing quote")
            << "\"a\"b,c" << QStringList{"a", "b", "c"} << QStringList{"a", "b", "c"};
        QTest::newRow("quote never closed") << "\"a,b" << QStringList{"a,b"} << QStringList{"a,b"};
        QTest::newRow("quoted empty, then comma at end") << "\"\"," << QStringList{"", ""} << QStringList{"", ""};
        QTest::newRow("quote inside a plain field")
            << "a\"b,c" << QStringList{"a\"b", "c"} << QStringList{"a\"b", "c"};
        QTest::newRow("blanks before a quoted field")
            << "x, \"a b\"" << QStringList{"x", " \"a b\""} << QStringList{"x", "a b"};
    }
    void split()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, commas);
        QFETCH(QStringList, blanks);
        QCOMPARE(CsvSplit::atCommas(line), commas);
        QCOMPARE(CsvSplit::atCommasAndBlanks(line), blanks);
    }

    // Slots 14 to 28 of the line, "-" for an empty slot.
    void priceFields_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("taken");
        QTest::newRow("the example line")
            << "2023/01/05,9:30,130.123,130.456,129.987,130.200,2023-01-05,09:30"
            << "2023 01 05 09 30 130123 130456 129987 130200 2023 01 05 09 30 -";
        QTest::newRow("one-digit month and day") << "2023/1/5" << "2023 01 5 - - - - - - - - - - - -";
        QTest::newRow("two-digit month and day") << "2023/12/25" << "2023 12 25 - - - - - - - - - - - -";
        QTest::newRow("any separator after the year") << "2023-1/5" << "2023 01 5 - - - - - - - - - - - -";
        QTest::newRow("no / in the rest") << "2023-01-05" << "2023 - - - - - - - - - - - - - -";
        QTest::newRow("rest begins with /") << "2023//5" << "2023 - 5 - - - - - - - - - - - -";
        QTest::newRow("time 9:30") << "2023/01/05,9:30" << "2023 01 05 09 30 - - - - - - - - - -";
        QTest::newRow("time 12:05") << "2023/01/05,12:05" << "2023 01 05 12 05 - - - - - - - - - -";
        QTest::newRow("time 9:5") << "2023/01/05,9:5" << "2023 01 05 09 05 - - - - - - - - - -";
        QTest::newRow("time empty") << "2023/01/05,,1" << "2023 01 05 00 00 1 - - - - - - - - -";
        QTest::newRow("time :30") << "2023/01/05,:30" << "2023 01 05 00 30 - - - - - - - - - -";
        QTest::newRow("time 09:30:00") << "2023/01/05,09:30:00" << "2023 01 05 09 30:00 - - - - - - - - - -";
        QTest::newRow("time 9:") << "2023/01/05,9:" << "2023 01 05 09 00 - - - - - - - - - -";
        QTest::newRow("time without :") << "2023/01/05,0930" << "2023 01 05 - 0930 - - - - - - - - - -";
        QTest::newRow("time with : too late") << "2023/01/05,123:4" << "2023 01 05 - 04 - - - - - - - - - -";
        QTest::newRow("prices without a point, with two")
            << "2023/01/05,9:30,130,1.234.5,.5,5." << "2023 01 05 09 30 130 1234.5 5 5 - - - - - -";
        QTest::newRow("short second stamp") << "2023/01/05,9:30,1,2,3,4,2023-1,9"
                                            << "2023 01 05 09 30 1 2 3 4 2023 1 - 9 - -";
        QTest::newRow("more than eight fields") << "2023/01/05,9:30,1,2,3,4,2023-01-05,09:30,x,y"
                                                << "2023 01 05 09 30 1 2 3 4 2023 01 05 09 30 -";
        QTest::newRow("short first date") << "23" << "23 - - - - - - - - - - - - - -";
    }
    void priceFields()
    {
        QFETCH(QString, line);
        QFETCH(QString, taken);
        QStringList shown;
        for (const QString &s : PriceLine::take(CsvSplit::atCommasAndBlanks(line)))
            shown << (s.isEmpty() ? QStringLiteral("-") : s);
        QCOMPARE(shown.join(QLatin1Char(' ')), taken);
    }
};

QTEST_GUILESS_MAIN(TestCsvReader)
#include "tst_csvreader.moc"
