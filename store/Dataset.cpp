#include "Dataset.h"
#include "BusyCursor.h"
#include "ColumnKind.h"
#include "Connection.h"
#include "Errors.h"

namespace {

QString noSuchField(const QString &dataset, const QString &field)
{
    return QStringLiteral("%1: フィールド '%2' が見つかりません").arg(dataset, field);
}

} // namespace

Dataset::Dataset(Connection &connection, const QString &name, QObject *parent)
    : QObject(parent), connection_(connection), name_(name), source_(connection),
      writer_(connection, name_, source_.fields(), rows_)
{
    setObjectName(name);
    connection_.attach(this);
}

Dataset::~Dataset()
{
    source_.finish();
    connection_.detach(this);
}

void Dataset::setSql(const QString &sql)
{
    close();
    sql_ = sql;
}

void Dataset::open()
{
    close();
    if (!connection_.isOpen() || connection_.startFailed())
        throw DatabaseError(connection_.unavailable());
    BusyCursor busy;
    source_.prepare(sql_, editable_, name_);
    rows_.reset(fieldCount(), source_.hasRowIds());
    displayWidths_.assign(size_t(fieldCount()), 0);
    clearPending();
    open_ = true;
    fetchMore();
    bof_ = true;
    eof_ = rows_.empty();
    current_ = rows_.empty() ? -1 : 0;
    emit opened();
    emit currentChanged(current_);
}

void Dataset::close()
{
    if (!open_)
        return;
    source_.clear();
    open_ = false;
    rows_.clear();
    displayWidths_.clear();
    current_ = -1;
    bof_ = eof_ = true;
    walking_ = rowsLetGo_ = rowPartial_ = false;
    // A change still pending is dropped with the rows.
    state_ = State::Browse;
    pending_.clear(0);
    emit closed();
}

void Dataset::fetchMore(int count)
{
    const int before = rowCount();
    for (int i = 0; i < count && source_.step(); ++i)
        source_.appendTo(rows_);
    if (rowCount() > before)
        emit rowsFetched(before, rowCount() - 1);
}

void Dataset::fetchAll()
{
    BusyCursor busy;
    while (canFetchMore())
        fetchMore(1 << 14);
}

void Dataset::requireOpen() const
{
    if (!open_)
        throw DatabaseError(connection_.startFailed()
                                ? connection_.unavailable()
                                : QStringLiteral("%1: 閉じたデータセットでは操作できません").arg(name_));
}

void Dataset::setCurrent(int row)
{
    if (row == current_)
        return;
    current_ = row;
    emit currentChanged(row);
}

void Dataset::first()
{
    requireOpen();
    leaveRow();
    bof_ = true;
    eof_ = rows_.empty();
    setCurrent(rows_.empty() ? -1 : 0);
}

void Dataset::next()
{
    requireOpen();
    int target = current_ + 1;
    // A new row dropped on the way leaves the row that followed it in its place.
    if (const int dropped = leaveRow(); dropped >= 0)
        target = dropped;
    if (target >= rowCount())
        fetchMore();
    if (target >= rowCount()) {
        eof_ = true;
        return;
    }
    bof_ = eof_ = false;
    setCurrent(target);
}

void Dataset::prior()
{
    requireOpen();
    const int target = current_ - 1;
    leaveRow();
    if (target < 0) {
        bof_ = true;
        return;
    }
    bof_ = eof_ = false;
    setCurrent(target);
}

void Dataset::last()
{
    requireOpen();
    leaveRow();
    fetchAll();
    eof_ = true;
    bof_ = rows_.empty();
    setCurrent(rowCount() - 1);
}

void Dataset::moveTo(int row)
{
    requireOpen();
    if (row == current_)
        return;
    if (const int dropped = leaveRow(); dropped >= 0 && row > dropped)
        --row;
    while (row >= rowCount() && canFetchMore())
        fetchMore();
    if (row < 0 || row >= rowCount())
        return;
    bof_ = eof_ = false;
    setCurrent(row);
}

void Dataset::beginWalk(const std::vector<int> &fields)
{
    requireOpen();
    leaveRow();
    walking_ = true;
    walkedFields_.clear();
    if (canReadSomeFields())
        for (int f : fields)
            if (f >= 0 && f < fieldCount())
                walkedFields_.push_back(f);
}

// A row read in part can be read whole again by its row id.
bool Dataset::canReadSomeFields() const
{
    if (!hasRowIds())
        return false;
    for (int f = 0; f < fieldCount(); ++f)
        if (!isFieldWritable(f))
            return false;
    return true;
}

void Dataset::walkNext()
{
    requireOpen();
    if (current_ + 1 < rowCount()) {
        ++current_;
        bof_ = eof_ = false;
        return;
    }
    if (!source_.step()) {
        eof_ = true;
        return;
    }
    // The one row held takes each row in turn, in the same storage.
    if (!rowsLetGo_) {
        rows_.keepOne();
        rowsLetGo_ = true;
    }
    source_.packInto(rows_, 0, walkedFields_);
    rowPartial_ = !walkedFields_.empty();
    current_ = 0;
    bof_ = eof_ = false;
}

void Dataset::endWalk()
{
    if (!walking_)
        return;
    walking_ = false;
    if (rowPartial_) {
        rowPartial_ = false;
        writer_.reread(0);
    }
    if (rowsLetGo_) {
        rowsLetGo_ = false;
        emit rowsReplaced();
    }
    emit currentChanged(current_);
}

int Dataset::displayWidth(int field) const
{
    const int set = displayWidths_.at(field);
    if (set > 0)
        return set;
    const int size = ColumnKind::declaredSize(declaredType(field));
    if (size > 0)
        return size;
    return isWholeNumberField(field) ? 10 : 20;
}

void Dataset::setDisplayWidth(int field, int width)
{
    if (displayWidths_.at(field) == width)
        return;
    displayWidths_.at(field) = width;
    emit displayWidthChanged(field);
}

QString Dataset::text(int field) const
{
    requireOpen();
    if (current_ < 0)
        return QString();
    return textAt(current_, field);
}

int Dataset::requireField(const QString &name) const
{
    const int field = fieldIndex(name);
    if (field < 0)
        throw DatabaseError(noSuchField(name_, name));
    return field;
}

QString Dataset::text(const QString &name) const
{
    requireOpen();
    return text(requireField(name));
}

QString Dataset::textAt(int row, int field) const
{
    if (row == current_ && state_ != State::Browse && pending_.isGiven(field))
        return pending_.text(field);
    return storedTextAt(row, field);
}

// ---------------------------------------------------------------- editing

bool Dataset::isModified() const
{
    for (int f = 0; f < pending_.fieldCount(); ++f)
        if (pending_.isGiven(f) && (state_ == State::Edit || !pending_.text(f).isEmpty()))
            return true;
    return false;
}

void Dataset::clearPending() { pending_.clear(fieldCount()); }

void Dataset::announceCurrent(int row)
{
    current_ = row;
    emit currentChanged(row);
}

void Dataset::edit()
{
    requireOpen();
    if (state_ != State::Browse || current_ < 0)
        return;
    clearPending();
    state_ = State::Edit;
    emit stateChanged();
}

void Dataset::setFieldText(int field, const QString &text)
{
    requireOpen();
    if (current_ < 0 || field < 0 || field >= fieldCount())
        return;
    edit();
    if (textAt(current_, field) == text)
        return;
    pending_.give(field, text);
    emit rowChanged(current_);
}

void Dataset::flushInput()
{
    if (beforePost_) {
        const std::function<void()> hook = beforePost_;
        hook();
    }
}

// Before the cursor leaves the row: posts the pending change. Returns where
// a new row stood that was dropped because nothing was typed into it, else -1.
int Dataset::leaveRow()
{
    if (state_ == State::Browse)
        return -1;
    flushInput();
    if (state_ == State::Insert && !isModified()) {
        const int row = current_;
        dropUntouchedRow();
        return row;
    }
    post();
    return -1;
}

void Dataset::post()
{
    if (state_ == State::Browse)
        return;
    flushInput();
    if (state_ == State::Edit)
        writeEdit();
    else if (state_ == State::Insert && !isModified())
        dropUntouchedRow();
    else if (state_ == State::Insert)
        writeInsert();
}

void Dataset::cancel()
{
    switch (state_) {
    case State::Browse:
        return;
    case State::Edit:
        clearPending();
        state_ = State::Browse;
        emit rowChanged(current_);
        emit stateChanged();
        return;
    case State::Insert:
        dropUntouchedRow();
        return;
    }
}

void Dataset::dropUntouchedRow()
{
    const int row = current_;
    rows_.erase(row);
    clearPending();
    state_ = State::Browse;
    emit rowRemoved(row);
    bof_ = eof_ = rows_.empty();
    announceCurrent(rows_.empty() ? -1 : std::min(row, rowCount() - 1));
    emit stateChanged();
}

void Dataset::addNewRow(int row)
{
    rows_.insertEmpty(row);
    clearPending();
    state_ = State::Insert;
    bof_ = eof_ = false;
    emit rowInserted(row);
    announceCurrent(row);
    emit stateChanged();
}

// An untouched new row is not followed by another; any other row is left
// (and its change written) first.
bool Dataset::leaveForNewRow()
{
    requireOpen();
    flushInput();
    if (state_ == State::Insert && !isModified())
        return false;
    leaveRow();
    return true;
}

void Dataset::append()
{
    if (!leaveForNewRow())
        return;
    fetchAll();
    addNewRow(rowCount());
}

void Dataset::insert()
{
    if (leaveForNewRow())
        addNewRow(current_ < 0 ? 0 : current_);
}

void Dataset::writeEdit()
{
    const int row = current_;
    writer_.update(row, pending_);
    clearPending();
    state_ = State::Browse;
    emit rowChanged(row);
    emit stateChanged();
}

void Dataset::writeInsert()
{
    const int row = current_;
    writer_.insert(row, pending_);
    clearPending();
    state_ = State::Browse;
    emit rowChanged(row);
    emit stateChanged();
}

void Dataset::deleteCurrent()
{
    requireOpen();
    if (current_ < 0)
        return;
    if (state_ == State::Insert) {
        dropUntouchedRow();
        return;
    }
    const int row = current_;
    writer_.remove(row);
    rows_.erase(row);
    clearPending();
    const bool wasEditing = state_ != State::Browse;
    state_ = State::Browse;
    emit rowRemoved(row);
    if (row >= rowCount() && canFetchMore())
        fetchMore();
    bof_ = eof_ = rows_.empty();
    announceCurrent(rows_.empty() ? -1 : std::min(row, rowCount() - 1));
    if (wasEditing)
        emit stateChanged();
}
