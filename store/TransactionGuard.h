#pragma once
class Connection;

// A savepoint or a transaction that is undone unless committed.
//
//   TransactionGuard guard(csq, "row_write");   // SAVEPOINT row_write
//   csq.execute(...);
//   guard.commit();                             // RELEASE row_write
//
//   TransactionGuard guard(csq, TransactionGuard::Transaction); // BEGIN
//   ... every line ...
//   guard.commit();                             // COMMIT
//
// Leaving the scope without commit(), by a return or an exception, rolls it
// back. A commit that fails (the database busy, for example) rolls back too
// and then raises the database's reason. A savepoint opened inside a caller's
// transaction undoes only its own statements and leaves that transaction
// open; one opened in autocommit mode is the whole transaction. Either way,
// after a failure the connection is as it was before the guard: back in
// autocommit unless a caller holds a transaction of its own.
class TransactionGuard {
public:
    enum Kind { Transaction };

    // The name must be a plain identifier, fixed in the code.
    TransactionGuard(Connection &connection, const char *savepoint);
    TransactionGuard(Connection &connection, Kind);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard &) = delete;
    TransactionGuard &operator=(const TransactionGuard &) = delete;

    // RELEASE or COMMIT; raises DatabaseError after rolling back.
    void commit();

private:
    void rollback() noexcept;

    Connection &connection_;
    const char *savepoint_; // nullptr for a transaction
    bool outermost_;        // no transaction was open before this guard
    bool done_ = false;
};
