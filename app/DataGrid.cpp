#include "DataGrid.h"
#include "GridColumns.h"
#include "store/Boxes.h"
#include "store/ColumnKind.h"
#include "store/DataSource.h"
#include "store/Dataset.h"
#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

// The cell editor: a line edit that takes only what its field can hold. Its
// keys are not handled here: what the line edit leaves (arrows up and down,
// page keys, Enter, Esc) goes on to the grid, after the window's own key
// handler of the grid.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(DataGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

    // A cell keeps 2 pixels either side of its text, as the column widths
    // (display width x "0" + 4) count on; styles keep a wider margin.
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QWidget *widget = option.widget;
        const QStyle *style = widget ? widget->style() : QApplication::style();
        const int extra = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, widget) + 1 - 2;
        QStyleOptionViewItem wider = option;
        wider.rect.adjust(-extra, 0, extra, 0);
        painter->save();
        painter->setClipRect(option.rect);
        QStyledItemDelegate::paint(painter, wider, index);
        painter->restore();
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setAlignment(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()));
        const int field = grid_->model_->fieldOf(index.column());
        if (Dataset *dataset = grid_->dataset_; dataset && field >= 0) {
            if (dataset->isWholeNumberField(field)) {
                static const QRegularExpression digitsAndSign(QStringLiteral("[+-]?[0-9]*"));
                editor->setValidator(new QRegularExpressionValidator(digitsAndSign, editor));
            } else if (const int size = ColumnKind::declaredSize(dataset->declaredType(field)); size > 0) {
                editor->setMaxLength(size);
            }
        }
        editor_ = editor;
        index_ = index;
        return editor;
    }

    void destroyEditor(QWidget *editor, const QModelIndex &index) const override
    {
        if (editor == editor_)
            editor_ = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    bool eventFilter(QObject *object, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            // Ctrl+Del deletes the row, the edit with it; the editor would
            // take it for deleting a word.
            if (isRowDeletion(static_cast<QKeyEvent *>(event))) {
                grid_->keyPressEvent(static_cast<QKeyEvent *>(event));
                return true;
            }
            return false;
        case QEvent::ShortcutOverride:
            return false;
        case QEvent::FocusOut: {
            // A box or another program taking the focus for a while is no
            // leaving; neither is the focus going to the grid itself (a click).
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                return false;
            if (QWidget *now = QApplication::focusWidget(); now && grid_->isInside(now))
                return false;
            grid_->editorLeaving();
            return false;
        }
        default:
            return QStyledItemDelegate::eventFilter(object, event);
        }
    }

    static bool isRowDeletion(const QKeyEvent *key)
    {
        return key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier);
    }

    DataGrid *grid_;
    mutable QPointer<QLineEdit> editor_;
    mutable QPersistentModelIndex index_;
};

DataGrid::DataGrid(const QString &name, QWidget *parent) : QTableView(parent)
{
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems); // a title click then selects nothing
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setShowGrid(true);
    delegate_ = new GridDelegate(this);
    setItemDelegate(delegate_);

    QHeaderView *titles = horizontalHeader();
    titles->setFont(titleFont());
    titles->setDefaultAlignment(Qt::AlignCenter);
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setStretchLastSection(false);
    titles->setMinimumSectionSize(4);

    // The marker column: the current row and whether it is edited or new.
    QHeaderView *markers = verticalHeader();
    markers->setSectionsClickable(false);
    markers->setDefaultAlignment(Qt::AlignCenter);
    markers->setSectionResizeMode(QHeaderView::Fixed);

    columns_ = GridColumns::of(name);
    bind(nullptr);
    changeEvent(nullptr);
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusMoved(now); });
}

DataGrid::~DataGrid()
{
    disconnect(focusWatch_);
    if (dataset_)
        dataset_->setBeforePost(nullptr);
}

QFont DataGrid::titleFont()
{
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(23);
    font.setWeight(QFont::Normal);
    return font;
}

void DataGrid::setDataSource(DataSource *source)
{
    source_ = source;
    bind(source ? source->dataSet() : nullptr);
}

void DataGrid::setColumns(std::vector<GridColumn> columns)
{
    columns_ = std::move(columns);
    model_->setColumns(columns_);
    applyWidths();
    follow();
}

void DataGrid::bind(Dataset *dataset)
{
    if (dataset_) {
        dataset_->setBeforePost(nullptr);
        disconnect(dataset_, nullptr, this, nullptr);
    }
    QItemSelectionModel *oldSelection = selectionModel();
    DatasetModel *oldModel = model_;
    dataset_ = dataset;
    model_ = new DatasetModel(dataset, this);
    model_->setColumns(columns_);
    setModel(model_);
    delete oldSelection;
    delete oldModel;
    if (dataset) {
        // The model is connected first, so the rows are there when the grid
        // follows the cursor.
        connect(dataset, &Dataset::opened, this, &DataGrid::applyWidths);
        connect(dataset, &Dataset::displayWidthChanged, this, &DataGrid::applyWidthOfField);
        connect(dataset, &Dataset::currentChanged, this, &DataGrid::follow);
        // Whoever moves the cursor, the text of an open cell editor goes into
        // the row first.
        dataset->setBeforePost([this] { commitEditor(); });
    }
    applyWidths();
    follow();
}

QLineEdit *DataGrid::cellEditor() const
{
    return delegate_->editor_;
}

bool DataGrid::isInside(const QWidget *widget) const
{
    return widget == this || isAncestorOf(widget);
}

// ---------------------------------------------------------------- columns

int DataGrid::columnWidthFor(int column) const
{
    const int title = QFontMetrics(horizontalHeader()->font()).horizontalAdvance(model_->title(column)) + 4;
    const int field = model_->fieldOf(column);
    if (field < 0)
        return title;
    // A display width of billions of characters must not overflow.
    const qint64 digits = qint64(dataset_->displayWidth(field)) * fontMetrics().horizontalAdvance(QLatin1Char('0')) + 4;
    return int(std::max<qint64>(std::min<qint64>(digits, QWIDGETSIZE_MAX), title));
}

void DataGrid::applyWidths()
{
    for (int column = 0; column < model_->columnCount(); ++column)
        horizontalHeader()->resizeSection(column, columnWidthFor(column));
}

void DataGrid::applyWidthOfField(int field)
{
    for (int column = 0; column < model_->columnCount(); ++column)
        if (model_->fieldOf(column) == field)
            horizontalHeader()->resizeSection(column, columnWidthFor(column));
}

void DataGrid::changeEvent(QEvent *event)
{
    if (event)
        QTableView::changeEvent(event);
    if (!event || event->type() == QEvent::FontChange) {
        const QFontMetrics metrics(verticalHeader()->font());
        verticalHeader()->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("▶")) + 8);
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
        if (event)
            applyWidths();
    }
}

// ---------------------------------------------------------------- cursor

// The grid shows the query's current row.
void DataGrid::follow()
{
    if (!dataset_ || model_->columnCount() == 0)
        return;
    QScopedValueRollback<bool> following(following_, true);
    const int row = dataset_->currentRow();
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clear();
        return;
    }
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const QModelIndex index = model_->index(row, column);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void DataGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    // A move of the view's own that went past the query: back to its row.
    if (!following_ && dataset_ && current.isValid() && current.row() != dataset_->currentRow())
        QMetaObject::invokeMethod(this, [this] { follow(); }, Qt::QueuedConnection);
}

// Moves the query to the target's row (which writes a pending change first)
// and the grid to the target's column.
void DataGrid::moveToCell(const QModelIndex &target)
{
    if (!target.isValid())
        return;
    if (target.row() != dataset_->currentRow())
        dataset_->moveTo(target.row());
    const int row = dataset_->currentRow();
    if (row < 0)
        return;
    QScopedValueRollback<bool> following(following_, true);
    const QModelIndex index = model_->index(row, target.column());
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

// ↓ on the last row opens a new one; on a new row not typed into, nothing.
void DataGrid::goDown()
{
    Dataset &q = *dataset_;
    if (q.state() == Dataset::State::Insert && !q.isModified())
        return;
    if (q.currentRow() + 1 >= q.rowCount() && q.canFetchMore())
        q.fetchMore();
    if (q.currentRow() + 1 >= q.rowCount())
        q.append();
    else
        q.next();
}

// ↑ from a new row not typed into drops it.
void DataGrid::goUp()
{
    Dataset &q = *dataset_;
    if (q.state() == Dataset::State::Insert && !q.isModified()) {
        const int row = q.currentRow();
        q.cancel();
        if (row > 0)
            q.moveTo(row - 1);
        return;
    }
    q.prior();
}

void DataGrid::deleteRow()
{
    if (dataset_->rowCount() == 0)
        return;
    if (!Boxes::current().confirmOkCancel(QStringLiteral("レコードを削除しますか？")))
        return;
    discardEditor();
    dataset_->deleteCurrent();
}

// ---------------------------------------------------------------- editing

// The open editor's text goes into the row; a text the field cannot take is
// refused and the editor stays.
void DataGrid::commitEditor()
{
    QLineEdit *editor = cellEditor();
    if (!editor)
        return;
    const int field = model_->fieldOf(delegate_->index_.column());
    if (dataset_ && field >= 0 && !dataset_->acceptsFieldText(field, editor->text())) {
        editor->setFocus();
        dataset_->checkFieldText(field, editor->text());
    }
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DataGrid::discardEditor()
{
    if (QLineEdit *editor = cellEditor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

// The focus leaves the grid while a cell is being edited: the text goes into
// the row, which stays pending. A text the field cannot take keeps the
// editor: the focus is taken back at once, before the control it was going
// to is entered, and the error is raised after the move has ended.
void DataGrid::editorLeaving()
{
    QLineEdit *editor = cellEditor();
    if (!editor)
        return;
    const int field = model_->fieldOf(delegate_->index_.column());
    if (dataset_ && field >= 0 && !dataset_->acceptsFieldText(field, editor->text())) {
        editor->setFocus(Qt::OtherFocusReason);
        QMetaObject::invokeMethod(this, [this] { guarded([this] { commitEditor(); }); }, Qt::QueuedConnection);
        return;
    }
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

// A new row not typed into is dropped when the grid loses the focus.
void DataGrid::focusMoved(QWidget *now)
{
    if (!now || now->window() != window() || isInside(now))
        return;
    if (dataset_ && dataset_->isOpen() && dataset_->state() == Dataset::State::Insert
        && !dataset_->isModified() && !cellEditor())
        dataset_->cancel();
}

bool DataGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // Only the query's current row is edited.
    if (dataset_ && index.isValid() && index.row() != dataset_->currentRow())
        return false;
    const bool opened = QTableView::edit(index, trigger, event);
    if (opened && dataset_ && cellEditor())
        dataset_->edit();
    return opened;
}

void DataGrid::keyboardSearch(const QString &)
{
    // Typing edits; it never moves the row.
}

// ---------------------------------------------------------------- keys and mouse

bool DataGrid::guarded(const std::function<void()> &handler)
{
    if (boundary_)
        return boundary_(handler);
    handler();
    return true;
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    guarded([&] { handleKey(event); });
}

void DataGrid::handleKey(QKeyEvent *event)
{
    if (!dataset_ || !dataset_->isOpen()) {
        QTableView::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool control = modifiers & Qt::ControlModifier;
    event->accept();
    switch (event->key()) {
    case Qt::Key_Delete:
        if (!control)
            break;
        deleteRow();
        return;
    case Qt::Key_Down:
        commitEditor();
        goDown();
        return;
    case Qt::Key_Up:
        commitEditor();
        goUp();
        return;
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
        commitEditor();
        moveToCell(moveCursor(event->key() == Qt::Key_PageDown ? MovePageDown : MovePageUp, modifiers));
        return;
    case Qt::Key_Home:
    case Qt::Key_End:
        commitEditor();
        if (control) {
            if (event->key() == Qt::Key_Home)
                dataset_->first();
            else
                dataset_->last();
        } else {
            moveToCell(moveCursor(event->key() == Qt::Key_Home ? MoveHome : MoveEnd, modifiers));
        }
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        commitEditor();
        moveToCell(moveCursor(event->key() == Qt::Key_Left ? MoveLeft : MoveRight, modifiers));
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        commitEditor();
        moveToCell(moveCursor(event->key() == Qt::Key_Tab ? MoveNext : MovePrevious, modifiers));
        return;
    case Qt::Key_Insert:
        if (modifiers != Qt::NoModifier)
            break;
        commitEditor();
        dataset_->insert();
        return;
    case Qt::Key_Escape:
        discardEditor();
        dataset_->cancel();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!cellEditor())
            break;
        commitEditor();
        return;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

void DataGrid::mousePressEvent(QMouseEvent *event)
{
    guarded([&] { handleMousePress(event); });
}

void DataGrid::handleMousePress(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (dataset_ && dataset_->isOpen() && index.isValid()) {
        if (cellEditor() && index != QModelIndex(delegate_->index_))
            commitEditor();
        if (index.row() != dataset_->currentRow()) {
            dataset_->moveTo(index.row());
            if (dataset_->currentRow() != index.row()) { // a new row above it was dropped
                moveToCell(model_->index(dataset_->currentRow(), index.column()));
                return;
            }
        }
    }
    QTableView::mousePressEvent(event);
}

void DataGrid::mouseMoveEvent(QMouseEvent *event)
{
    // No dragging over rows: single rows only, and only the query moves rows.
    if (event->buttons() != Qt::NoButton)
        return;
    QTableView::mouseMoveEvent(event);
}
