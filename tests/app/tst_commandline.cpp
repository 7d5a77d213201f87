#include "ScratchHome.h"
#include "ScriptedBoxes.h"
#include "app/CommandLine.h"
#include "app/WorkingFolder.h"
#include "store/Errors.h"
#include <QtTest>

// The command line and the working folder it names, without a window.
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
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
