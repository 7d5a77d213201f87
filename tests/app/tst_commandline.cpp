#include "ScratchHome.h"
#include "ScriptedBoxes.h"
#include "app/CommandLine.h"
#include "app/WorkingFolder.h"
#include "store/Connection.h"
#include "store/Dataset.h"
#include "store/Errors.h"
#include "store/StandardDictionary.h"
#include <QtTest>

// The command line and the working folder it names, without a window.
namespace {

QString tablesIn(const QString &path)
{
    Connection db;
    db.open(path);
    Dataset probe(db, QStringLiteral("probe"));
    probe.setSql(QStringLiteral("select (select group_concat(name) from (select name from sqlite_master "
                                "where type = 'table' order by name)) || ' ' || (select count(*) from AAATBN)"));
    probe.open();
    return probe.text(0);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(CommandLine::Action)
Q_DECLARE_METATYPE(CommandLine::Folder)

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void parse_data()
    {
        using A = CommandLine::Action;
        using F = CommandLine::Folder;
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<A>("action");
        QTest::addColumn<F>("folder");
        QTest::addColumn<QString>("named");
        QTest::newRow("nothing") << QStringList() << A::Start << F::Current << QString();
        QTest::newRow("folder") << QStringList{"記録/2024"} << A::Start << F::Named << "記録/2024";
        QTest::newRow("folder after --") << QStringList{"--", "--home"} << A::Start << F::Named << "--home";
        QTest::newRow("home") << QStringList{"--home"} << A::Start << F::Home << QString();
        QTest::newRow("help") << QStringList{"--help"} << A::Help << F::Current << QString();
        QTest::newRow("-h beside a folder") << QStringList{"x", "-h"} << A::Help << F::Current << QString();
        QTest::newRow("help beside an unknown option") << QStringList{"-platform", "x", "--help"} << A::Help
                                                       << F::Current << QString();
        QTest::newRow("version") << QStringList{"--version"} << A::Version << F::Current << QString();
        QTest::newRow("unknown option") << QStringList{"--hom"} << A::Wrong << F::Current << QString();
        QTest::newRow("unknown single-dash word") << QStringList{"-hv"} << A::Wrong << F::Current << QString();
        QTest::newRow("value for --home") << QStringList{"--home=x"} << A::Wrong << F::Current << QString();
        QTest::newRow("two folders") << QStringList{"a", "b"} << A::Wrong << F::Current << QString();
        QTest::newRow("home and a folder") << QStringList{"--home", "a"} << A::Wrong << F::Current << QString();
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Action, action);
        QFETCH(CommandLine::Folder, folder);
        QFETCH(QString, named);
        const CommandLine line = CommandLine::parse(arguments);
        QCOMPARE(line.action, action);
        QCOMPARE(line.folder, folder);
        QCOMPARE(line.named, named);
        QCOMPARE(line.problem.isEmpty(), action != CommandLine::Action::Wrong);
    }

    void answersNameTheProgram()
    {
        ScratchHome home;
        QVERIFY(CommandLine::version().startsWith(QStringLiteral("keizai-shihyo 1.")));
        QCOMPARE(CommandLine::homeFolder(), home.dataLocation() + QStringLiteral("/keizai-shihyo"));
        QVERIFY(CommandLine::usage().contains(CommandLine::homeFolder()));
        QVERIFY(CommandLine::parse({"--sampel"}).problem.contains(QStringLiteral("sampel")));
    }

    void enterMovesIntoTheFolder()
    {
        ScratchHome home;
        const QString start = home.scratch();
        QDir::setCurrent(start);
        QVERIFY(QDir().mkpath(QStringLiteral("作業")));

        WorkingFolder::enter(CommandLine::parse({}));
        QCOMPARE(QDir::currentPath(), start);
        WorkingFolder::enter(CommandLine::parse({"作業"}));
        QCOMPARE(QDir::currentPath(), start + QStringLiteral("/作業"));

        // The user's own folder is made with its missing parents.
        WorkingFolder::enter(CommandLine::parse({"--home"}));
        QCOMPARE(QDir::currentPath(), CommandLine::homeFolder());
    }

    void missingNamedFolderIsNeitherMadeNorEntered()
    {
        ScratchHome home;
        QDir::setCurrent(home.scratch());
        QVERIFY_THROWS_EXCEPTION(FileError, WorkingFolder::enter(CommandLine::parse({"なし"})));
        QCOMPARE(QDir::currentPath(), home.scratch());
        QVERIFY(!QFileInfo::exists(QStringLiteral("なし")));

        // As the program starts: the error box, and no folder to start in.
        ScriptedBoxes boxes;
        QVERIFY(!WorkingFolder::prepare(CommandLine::parse({"なし"})));
        QCOMPARE(boxes.errors.size(), 1);
        QVERIFY2(boxes.errors.first().contains(QStringLiteral("なし")), qPrintable(boxes.errors.first()));
    }

    void firstStartOffersTheStandardDictionary_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("existing"); // SQDB.DB before; empty: none
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("tables"); // made; empty: no new database
        const QString dictionary = QStringLiteral("AAATBN,AAATST %1").arg(StandardDictionary::tables().size());
        QTest::newRow("home, yes") << QStringList{"--home"} << QByteArray() << true << true << dictionary;
        QTest::newRow("home, no") << QStringList{"--home"} << QByteArray() << false << true << QString();
        QTest::newRow("home with a database") << QStringList{"--home"} << QByteArray("kept\n") << true << false
                                              << QString();
        QTest::newRow("named folder") << QStringList{"."} << QByteArray() << true << false << QString();
        QTest::newRow("current folder") << QStringList() << QByteArray() << true << false << QString();
    }
    void firstStartOffersTheStandardDictionary()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, existing);
        QFETCH(bool, yes);
        QFETCH(bool, asked);
        QFETCH(QString, tables);
        ScratchHome home;
        QVERIFY(QDir().mkpath(CommandLine::homeFolder()));
        QDir::setCurrent(CommandLine::homeFolder());
        const QString database = CommandLine::homeFolder() + QStringLiteral("/SQDB.DB");
        if (!existing.isEmpty()) {
            QFile file(database);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(existing);
        }
        ScriptedBoxes boxes;
        boxes.answerNext(yes);

        QVERIFY(WorkingFolder::prepare(CommandLine::parse(arguments)));
        QCOMPARE(boxes.confirmations.size(), asked ? 1 : 0);
        if (asked)
            QVERIFY2(boxes.confirmations.first().contains(QStringLiteral("SQDB.DB")),
                     qPrintable(boxes.confirmations.first()));
        QVERIFY2(boxes.errors.isEmpty(), qPrintable(boxes.errors.join(QLatin1Char('\n'))));
        if (!tables.isEmpty())
            QCOMPARE(tablesIn(database), tables);
        else if (!existing.isEmpty())
            QCOMPARE(contents(database), existing);
        else
            QVERIFY(!QFileInfo::exists(database));
    }

    // A database that appears between the look and the making is kept.
    void newDatabaseNeverReplacesAFile()
    {
        ScratchHome home;
        QDir::setCurrent(home.scratch());
        const QString path = home.scratch() + QStringLiteral("/SQDB.DB");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("kept\n");
        }
        QVERIFY_THROWS_EXCEPTION(FileError, StandardDictionary::createNewFile(path));
        QCOMPARE(contents(path), QByteArray("kept\n"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
