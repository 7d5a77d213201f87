#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <vector>

struct sqlite3_stmt;
class Connection;

// A named query of the data module: a statement text given at run time, its
// rows read on demand into a compact cache, and a cursor over them.
//
// Opening steps only as far as the first rows; moving on, or a grid scrolling,
// reads more; last() reads to the end. Every field is read as text; each
// field also keeps its declared type and a display width in characters.
class Dataset : public QObject {
    Q_OBJECT
public:
    static constexpr int kFetchStep = 256;

    Dataset(Connection &connection, const QString &name, QObject *parent = nullptr);
    ~Dataset() override;

    // Giving a statement to an open query closes it first.
    void setSql(const QString &sql);
    const QString &sql() const { return sql_; }

    // An editable query also reads each row's row id, so that a grid can
    // write back exactly the one row it shows.
    void setEditable(bool editable) { editable_ = editable; }
    bool isEditable() const { return editable_; }
    bool hasRowIds() const { return hasRowIds_; }

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

    // Rows read so far, and reading further.
    int rowCount() const { return int(rows_.size()); }
    bool canFetchMore() const { return stmt_ != nullptr; }
    void fetchMore(int count = kFetchStep);
    void fetchAll();

    // Fields, counted from 0 in select order.
    int fieldCount() const { return int(fieldNames_.size()); }
    QString fieldName(int field) const { return fieldNames_.at(field); }
    int fieldIndex(const QString &name) const; // -1 when there is none
    QString declaredType(int field) const { return declaredTypes_.at(field); }
    bool isWholeNumberField(int field) const;
    // The table and column a field reads, where the database can tell.
    QString tableName() const { return tableName_; }
    QString originName(int field) const { return originNames_.at(field); }

    // Display width in characters; 0 or less keeps the default derived from
    // the field's declared type and size.
    int displayWidth(int field) const;
    void setDisplayWidth(int field, int width);

    // Field texts of the current row; an empty query reads empty texts. An
    // unknown field name raises DatabaseError.
    QString text(int field) const;
    QString text(const QString &name) const;
    QString textAt(int row, int field) const;
    int storageTypeAt(int row, int field) const; // SQLITE_INTEGER, ..., SQLITE_NULL
    qint64 rowIdAt(int row) const { return rowIds_.at(row); }

    const QString &name() const { return name_; }
    Connection &connection() const { return connection_; }

signals:
    void opened();
    void closed();
    void currentChanged(int row);
    void rowsFetched(int first, int last);

private:
    void requireOpen() const;
    void setCurrent(int row);
    void prepare();
    void readRow();
    void finishStatement();

    Connection &connection_;
    QString name_;
    QString sql_;
    bool editable_ = false;
    bool hasRowIds_ = false;
    bool open_ = false;
    sqlite3_stmt *stmt_ = nullptr;
    int firstField_ = 0; // 1 when column 0 of the statement is the row id

    QStringList fieldNames_;
    QStringList declaredTypes_;
    QStringList originNames_;
    std::vector<int> displayWidths_;
    QString tableName_;

    // One blob per row: the end offset of each field's UTF-8 text (int32),
    // each field's storage type (uint8), then the texts.
    std::vector<QByteArray> rows_;
    std::vector<qint64> rowIds_;
    int current_ = -1;
    bool bof_ = true;
    bool eof_ = true;
};
