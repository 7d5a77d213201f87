#pragma once
#include <QString>
#include <QtTest>
#include <sqlite3.h>

// A second program reading the database file: while it lives, it holds a
// read transaction, so that the first connection's commits fail busy.
class ReadLock {
public:
    explicit ReadLock(const QString &path)
    {
        QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        QCOMPARE(sqlite3_exec(db_, "BEGIN; SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    ~ReadLock() { release(); }
    ReadLock(const ReadLock &) = delete;
    ReadLock &operator=(const ReadLock &) = delete;

    void release()
    {
        if (!db_)
            return;
        sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
    }

private:
    sqlite3 *db_ = nullptr;
};
