#pragma once
#include "DatasetModel.h"
#include "store/DataSource.h"
#include "store/Dataset.h"
#include <QPointer>
#include <QTableView>
#include <functional>
#include <vector>

class QLineEdit;
class GridDelegate;

// An editable grid over a query of the data module, bound through its data
// source.
//
// The grid follows the query's cursor, and the user's moves (keys, clicks)
// move the cursor; the query itself writes a change when its cursor leaves
// the row, so a grid only hands it the texts typed. Keys: ↑ ↓, page keys,
// Ctrl+Home/End move rows; ↓ on the last row and Insert add a row; Esc drops
// the pending change; Ctrl+Del deletes the row after a confirmation. Errors
// of writes and of the whole-number check end the key or click that caused
// them, in the general error box.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(const QString &name, QWidget *parent = nullptr);
    ~DataGrid() override;

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return source_; }
    Dataset *dataset() const { return dataset_; }
    DatasetModel *datasetModel() const { return model_; }

    // The grids of the window take their columns from their name; others
    // show every field of the query.
    void setColumns(std::vector<GridColumn> columns);

    // A column is its field's display width times the width of "0" in the
    // grid's font, plus 4 pixels, and never narrower than its title plus 4.
    int columnWidthFor(int column) const;

    // Where the grid's own key and mouse handling runs, so that an error it
    // raises ends in the window's error box; without one it runs directly.
    using HandlerBoundary = std::function<bool(const std::function<void()> &)>;
    void setHandlerBoundary(HandlerBoundary boundary) { boundary_ = std::move(boundary); }

    // The open cell editor, if any.
    QLineEdit *cellEditor() const;

    // The titles' font: "ＭＳ ゴシック", 23 pixels high.
    static QFont titleFont();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyboardSearch(const QString &search) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void changeEvent(QEvent *event) override;

private:
    friend class GridDelegate;

    bool guarded(const std::function<void()> &handler);
    void handleKey(QKeyEvent *event);
    void handleMousePress(QMouseEvent *event);
    void bind(Dataset *dataset);
    void follow();
    void applyWidths();
    void applyWidthOfField(int field);
    void commitEditor();
    void discardEditor();
    void editorLeaving();
    void focusMoved(QWidget *now);
    void goDown();
    void goUp();
    void moveToCell(const QModelIndex &target);
    void deleteRow();
    bool isInside(const QWidget *widget) const;

    QPointer<DataSource> source_;
    QPointer<Dataset> dataset_;
    // The application's focus signal outlives the grid: cut before the widget parts go.
    QMetaObject::Connection focusWatch_;
    DatasetModel *model_ = nullptr;
    GridDelegate *delegate_ = nullptr;
    std::vector<GridColumn> columns_;
    bool following_ = false;
    HandlerBoundary boundary_;
};
