#pragma once
#include "CompactRows.h"
#include "PendingRow.h"
#include "RowSource.h"
#include "RowWriter.h"
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class Connection;

// A named query of the data module: a statement text given at run time, its
// rows read on demand into a compact cache, and a cursor over them.
//
// The query puts together its statement (store/RowSource), the rows read
// (store/CompactRows), the pending edit (store/PendingRow) and the write of
// one row (store/RowWriter); it keeps the cursor, because every move of the
// cursor posts the pending edit and may read further rows.
//
// Opening steps only as far as the first rows; moving on, or a grid scrolling,
// reads more; last() reads to the end. Every field is read as text; each
// field also keeps its declared type and a display width in characters.
//
// Editing: the current row can be edited, or a new row inserted, and the
// change stays pending in the query until it is posted. Every cursor move
// posts it first (a post that fails raises and the cursor stays); reopening
// or closing the query drops it.
//
// Reading texts: text() and textAt() give what the user sees, the pending
// text of a field of the row being edited included; the accessors named
// "stored" (storedTextAt(), storedTypeAt()) give the value as read from the
// table, whatever is pending.
class Dataset : public QObject {
    Q_OBJECT
public:
    static constexpr int kFetchStep = 256;

    enum class State { Browse, Edit, Insert };

    Dataset(Connection &connection, const QString &name, QObject *parent = nullptr);
    ~Dataset() override;

    // Giving a statement to an open query closes it first.
    void setSql(const QString &sql);
    const QString &sql() const { return sql_; }

    // An editable query also reads each row's row id, so that a grid can
    // write back exactly the one row it shows.
    void setEditable(bool editable) { editable_ = editable; }
    bool isEditable() const { return editable_; }
    bool hasRowIds() const { return rows_.hasRowIds(); }

    // Raises DatabaseError with the database's reason when it is refused.
    void open();
    void close();
    bool isOpen() const { return open_; }

    // The cursor. first() sets bof, last() sets eof; next() on the last row
    // and prior() on the first leave the row where it is and set eof or bof.
    void first();
    void next();
    void prior();
    void last();
    void moveTo(int row);
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty() const { return rows_.empty(); }
    int currentRow() const { return current_; } // -1 when there is none

    // A quiet walk forward from the current row, for a long read that goes
    // through a query once (the chart over a whole price list). walkNext()
    // moves on as next() does but tells no one; past the rows read it reads
    // each row straight from the statement and lets go of the rows before,
    // so that the walk holds one row however long the query. endWalk() tells
    // the views where the walk stopped; after letting go of rows the query
    // holds the rows from there on, and reads the rest on demand as before.
    // A walk told the fields it reads, over a query with row ids whose
    // fields are all columns of its table, reads only those (the others read
    // empty) and reads the row it stops on whole again at its end.
    // Pair them with a ForwardWalk (store/ForwardWalk.h).
    void beginWalk(const std::vector<int> &fields = {});
    void walkNext();
    void endWalk();

    // Rows read so far, and reading further.
    int rowCount() const { return rows_.size(); }
    bool canFetchMore() const { return source_.isActive(); }
    void fetchMore(int count = kFetchStep);
    void fetchAll();

    // ---- editing
    State state() const { return state_; }
    // A field of the row being edited or inserted holds a new text.
    bool isModified() const;
    // Puts the current row into the edit state (nothing when there is none).
    void edit();
    // Gives a field of the current row a new text, pending until posted.
    void setFieldText(int field, const QString &text);
    // A new empty row at the end, or before the current row; it becomes the
    // current row. Posts the pending change first; nothing when the current
    // row is a new row not typed into yet.
    void append();
    void insert();
    // Writes the pending change: the edited row with an update of the fields
    // given new texts, a new row with an insert of the fields typed (a new
    // row never typed into is dropped). Raises DatabaseError or
    // ConversionError; the row then stays being edited or inserted.
    void post();
    // Drops the pending change; a new row disappears.
    void cancel();
    // Deletes the current row from the table (a new row is only dropped);
    // the row that followed, or the new last, becomes current.
    void deleteCurrent();
    // Whether a field can take a text: a whole-number field only a whole
    // number of 32 bits; the empty text always (it writes NULL).
    bool acceptsFieldText(int field, const QString &text) const { return fields().accepts(field, text); }
    // Raises ConversionError when the field cannot take the text.
    void checkFieldText(int field, const QString &text) const { fields().check(field, text); }
    // Whether a field reads a column of the query's table, so it can be written.
    bool isFieldWritable(int field) const { return fields().isWritable(field); }
    // Called first whenever the pending change is to be posted: a grid hands
    // in the text of its open cell editor.
    void setBeforePost(std::function<void()> hook) { beforePost_ = std::move(hook); }

    // Fields, counted from 0 in select order.
    const QueryFields &fields() const { return source_.fields(); }
    int fieldCount() const { return fields().count(); }
    QString fieldName(int field) const { return fields().names.at(field); }
    int fieldIndex(const QString &name) const { return fields().index(name); } // -1 when there is none
    int requireField(const QString &name) const; // raises DatabaseError when there is none
    QString declaredType(int field) const { return fields().declaredTypes.at(field); }
    bool isWholeNumberField(int field) const { return fields().isWholeNumber(field); }
    // The table and column a field reads, where the database can tell.
    QString tableName() const { return fields().tableName; }
    QString originName(int field) const { return fields().originNames.at(field); }

    // Display width in characters; 0 or less keeps the default derived from
    // the field's declared type and size.
    int displayWidth(int field) const;
    void setDisplayWidth(int field, int width);

    // Field texts of the current row, with the pending texts of a row being
    // edited; an empty query reads empty texts. An unknown field name raises
    // DatabaseError.
    QString text(int field) const;
    QString text(const QString &name) const;
    // A field of any row read, with the pending text of the row being edited.
    QString textAt(int row, int field) const;
    // The value read for a row (a new row reads empty texts), and its
    // storage type (SQLITE_INTEGER, ..., SQLITE_NULL).
    QString storedTextAt(int row, int field) const { return rows_.text(row, field); }
    int storedTypeAt(int row, int field) const { return rows_.type(row, field); }
    qint64 rowIdAt(int row) const { return rows_.rowId(row); }

    const QString &name() const { return name_; }
    Connection &connection() const { return connection_; }

signals:
    void opened();
    void closed();
    void currentChanged(int row);
    void rowsFetched(int first, int last);
    // The rows held are others than before: a walk let go of those it passed.
    void rowsReplaced();
    // Editing: a new row came or a row went (the rows after it shift), the
    // texts of a row changed, the edit state changed, a display width was set.
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowChanged(int row);
    void stateChanged();
    void displayWidthChanged(int field);

private:
    void requireOpen() const;
    void setCurrent(int row);
    bool canReadSomeFields() const;
    int leaveRow();
    void flushInput();
    void dropUntouchedRow();
    void clearPending();
    void writeEdit();
    void writeInsert();
    bool leaveForNewRow();
    void addNewRow(int row);
    void announceCurrent(int row);

    Connection &connection_;
    QString name_;
    QString sql_;
    bool editable_ = false;
    bool open_ = false;
    RowSource source_;
    std::vector<int> displayWidths_;
    CompactRows rows_;
    RowWriter writer_;

    int current_ = -1;
    bool walking_ = false;
    bool rowsLetGo_ = false;
    std::vector<int> walkedFields_; // empty: every field
    bool rowPartial_ = false;       // the current row holds the walked fields only
    bool bof_ = true;
    bool eof_ = true;

    State state_ = State::Browse;
    PendingRow pending_;
    std::function<void()> beforePost_;
};
