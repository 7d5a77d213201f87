#pragma once
#include "ReactionMatch.h"
#include <QDialog>
#include <functional>

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScatterSeries;
class QTableView;
class ReactionModel;

// 指標反応表: every release of one indicator beside how the price of one FX
// instrument moved after it. The horizons and the time offset are applied
// when Enter is pressed in their field; the scatter plot shows the surprise
// against the move of the horizon chosen beside it. Not modal: the window
// goes on working while it is open.
class ReactionDialog : public QDialog {
    Q_OBJECT
public:
    // Every handler of the dialog runs through the window's error boundary.
    using Boundary = std::function<bool(const std::function<void()> &)>;
    ReactionDialog(QWidget *parent, Boundary boundary);

    // Works on these rows, in time order, from now on, with the fields as
    // they stand. csvnm names the export.
    void load(const QString &heading, const QString &csvnm, std::vector<Reaction::PriceBar> prices,
              std::vector<Reaction::Release> releases);

    const std::vector<Reaction::Row> &rows() const;
    // What hovering a point of the scatter plot shows.
    QString pointText(const QPointF &point) const;

    QLabel *t00ttlL = nullptr;
    QLabel *t01hzL = nullptr;
    QLineEdit *t01hzE = nullptr;
    QLabel *t02tzL = nullptr;
    QLineEdit *t02tzE = nullptr;
    QLabel *t03gdL = nullptr;
    QPushButton *t07cwB = nullptr;
    QPushButton *t08clB = nullptr;
    QTableView *tdg = nullptr;
    QLabel *t04smL = nullptr;
    QLabel *t05hzL = nullptr;
    QComboBox *t05hzC = nullptr;
    QChartView *t06cht = nullptr;
    QScatterSeries *t06ser = nullptr;

private:
    void buildLayout();
    void buildChart();
    // Reads both fields, then matches and shows everything again; a field
    // that cannot be read changes nothing.
    void apply();
    void showScatter();
    void exportTable();

    Boundary boundary_;
    ReactionModel *model_ = nullptr;
    QString csvnm_;
    std::vector<Reaction::PriceBar> prices_;
    std::vector<Reaction::Release> releases_;
    std::vector<Reaction::Horizon> horizons_;
    std::vector<int> pointRows_; // the row of each point of the scatter plot
};
