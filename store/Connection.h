#pragma once
#include <QString>
#include <QtGlobal>
#include <vector>

struct sqlite3;
class Dataset;

// The one SQLite connection of the data module. Opening a file applies the
// data-access settings the system relies on: a missing file is created,
// UTF-8, page cache 10000 pages, exclusive locking, synchronous writing off,
// journal mode delete, foreign keys on.
class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Closes first when open; raises DatabaseError when the file cannot be
    // opened or is no database.
    void open(const QString &path);
    // Closes every open query of the connection with it.
    void close();
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }

    // Runs one statement; raises DatabaseError with the database's reason.
    void execute(const QString &sql);
    // Number of rows changed by the last write.
    int changes() const;
    bool inTransaction() const;

    // Why the database could not be opened for use at the start, until it
    // opens again: what needs it then says so instead of naming a closed query.
    void setStartFailure(const QString &reason) { startFailure_ = reason; }
    bool startFailed() const { return !startFailure_.isEmpty(); }
    // The error for using the database while it is closed or unusable.
    QString unavailable() const;

    // How many statements have begun to run on the connection, whatever ran
    // them (a query, the executor, a grid's write, an undo), the trigger
    // programs they started included.
    quint64 statementsStarted() const { return statementsStarted_; }

    sqlite3 *handle() const { return db_; }
    QString lastError() const;

    void attach(Dataset *dataset);
    void detach(Dataset *dataset);

private:
    sqlite3 *db_ = nullptr;
    QString path_;
    QString startFailure_;
    std::vector<Dataset *> datasets_;
    quint64 statementsStarted_ = 0;
};
