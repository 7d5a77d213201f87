#include "ReactionDialog.h"
#include "ReactionFields.h"
#include "ReactionModel.h"
#include "ReactionSummary.h"
#include "ReactionTable.h"
#include "app/Fonts.h"
#include "exchange/TextFileOutput.h"
#include "store/Boxes.h"
#include <QBoxLayout>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QSplitter>
#include <QTableView>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>

namespace {

template <typename Control>
Control *named(Control *control, const char *name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *control = named(new QPushButton(text, parent), name);
    control->setAutoDefault(false); // Enter in a field applies the field, and nothing else
    return control;
}

// Both axes over the points, in round numbers.
void fit(QValueAxis *axis, qreal low, qreal high)
{
    if (low == high) {
        low -= 1;
        high += 1;
    }
    axis->setRange(low, high);
    axis->applyNiceNumbers();
}

} // namespace

ReactionDialog::ReactionDialog(QWidget *parent, Boundary boundary)
    : QDialog(parent), boundary_(std::move(boundary)), model_(new ReactionModel(this))
{
    setObjectName(QStringLiteral("指標反応表"));
    setWindowTitle(QStringLiteral("指標反応表"));
    setModal(false);
    setFont(Fonts::windowFont()); // a window of its own takes no font from its parent
    buildLayout();
    buildChart();
    auto run = [this](void (ReactionDialog::*handler)()) {
        return [this, handler] { boundary_([&] { (this->*handler)(); }); };
    };
    connect(t01hzE, &QLineEdit::returnPressed, this, run(&ReactionDialog::apply));
    connect(t02tzE, &QLineEdit::returnPressed, this, run(&ReactionDialog::apply));
    connect(t05hzC, &QComboBox::currentIndexChanged, this, run(&ReactionDialog::showScatter));
    connect(t07cwB, &QPushButton::clicked, this, run(&ReactionDialog::exportTable));
    connect(t08clB, &QPushButton::clicked, this, &QDialog::close);
    connect(t06ser, &QScatterSeries::hovered, this, [this](const QPointF &point, bool state) {
        if (state)
            QToolTip::showText(QCursor::pos(), pointText(point));
        else
            QToolTip::hideText();
    });
    resize(1400, 680);
}

void ReactionDialog::buildLayout()
{
    t00ttlL = named(new QLabel(this), "t00ttlL");
    t01hzL = named(new QLabel(QStringLiteral("経過時間"), this), "t01hzL");
    t01hzE = named(new QLineEdit(QStringLiteral("1h,4h,24h"), this), "t01hzE");
    t01hzE->setToolTip(QStringLiteral("発表から何時間後(h)・何分後(m)の価格を見るか、カンマで区切って。[Ent]で表に反映"));
    t01hzE->setFixedWidth(200);
    t02tzL = named(new QLabel(QStringLiteral("価格の時差"), this), "t02tzL");
    t02tzE = named(new QLineEdit(QStringLiteral("0"), this), "t02tzE");
    t02tzE->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    t02tzE->setFixedWidth(60);
    t02tzE->setToolTip(QStringLiteral("価格の時刻に足す時間。価格ファイルがサーバー時刻のとき、発表の時刻に合わせます"));
    t03gdL = named(new QLabel(QStringLiteral("時間 (夏時間の切替は自分で合わせてください)"), this), "t03gdL");
    t07cwB = button("t07cwB", QStringLiteral("CSV書出(&W)"), this);
    t08clB = button("t08clB", QStringLiteral("閉じる(&C)"), this);

    tdg = named(new QTableView(this), "tdg");
    tdg->setModel(model_);
    tdg->setSelectionBehavior(QAbstractItemView::SelectRows);
    tdg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tdg->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    t05hzL = named(new QLabel(QStringLiteral("散布図の時間"), this), "t05hzL");
    t05hzC = named(new QComboBox(this), "t05hzC");
    t06cht = named(new QChartView(this), "t06cht");
    t06cht->setRenderHint(QPainter::Antialiasing);
    t04smL = named(new QLabel(this), "t04smL");
    t04smL->setWordWrap(true);

    auto *fields = new QHBoxLayout;
    for (QWidget *control : std::initializer_list<QWidget *>{t01hzL, t01hzE, t02tzL, t02tzE})
        fields->addWidget(control);
    fields->addWidget(t03gdL, 1);
    fields->addWidget(t07cwB);
    fields->addWidget(t08clB);

    auto *plot = new QWidget(this);
    auto *plotLayout = new QVBoxLayout(plot);
    plotLayout->setContentsMargins(0, 0, 0, 0);
    auto *selector = new QHBoxLayout;
    selector->addWidget(t05hzL);
    selector->addWidget(t05hzC);
    selector->addStretch(1);
    plotLayout->addLayout(selector);
    plotLayout->addWidget(t06cht, 1);
    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(tdg);
    split->addWidget(plot);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(t00ttlL);
    layout->addLayout(fields);
    layout->addWidget(split, 1);
    layout->addWidget(t04smL);

    setTabOrder(t01hzE, t02tzE);
    setTabOrder(t02tzE, t07cwB);
    setTabOrder(t07cwB, t08clB);
    setTabOrder(t08clB, tdg);
    setTabOrder(tdg, t05hzC);
}

void ReactionDialog::buildChart()
{
    QChart *chart = t06cht->chart();
    chart->legend()->hide();
    t06ser = named(new QScatterSeries, "t06ser");
    t06ser->setMarkerSize(9);
    t06ser->setColor(QColor(0, 255, 255));
    t06ser->setBorderColor(QColor(0, 128, 128));
    chart->addSeries(t06ser);
    auto *x = new QValueAxis;
    x->setTitleText(QStringLiteral("ｻﾌﾟﾗｲｽﾞ(結果値-期待値)"));
    x->setLabelFormat(QStringLiteral("%.0f"));
    auto *y = new QValueAxis;
    y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    t06ser->attachAxis(x);
    t06ser->attachAxis(y);
}

void ReactionDialog::load(const QString &heading, const QString &csvnm, std::vector<Reaction::PriceBar> prices,
                          std::vector<Reaction::Release> releases)
{
    Reaction::parseHorizons(t01hzE->text()); // a field that cannot be read keeps what was shown
    Reaction::parseOffsetHours(t02tzE->text());
    t00ttlL->setText(heading);
    csvnm_ = csvnm;
    prices_ = std::move(prices);
    releases_ = std::move(releases);
    apply();
}

const std::vector<Reaction::Row> &ReactionDialog::rows() const { return model_->rows(); }

void ReactionDialog::apply()
{
    std::vector<Reaction::Horizon> horizons = Reaction::parseHorizons(t01hzE->text());
    const int offset = Reaction::parseOffsetHours(t02tzE->text());
    std::vector<Reaction::Row> rows = Reaction::match(prices_, releases_, horizons, offset * 60);
    t04smL->setText(QStringLiteral("発表 %1 件    ").arg(rows.size()) + Reaction::summaryText(rows, horizons));
    horizons_ = std::move(horizons);
    model_->setRows(std::move(rows), horizons_);

    const QFontMetrics metrics = tdg->fontMetrics();
    const int number = metrics.horizontalAdvance(QStringLiteral("-0000000"));
    for (int c = 0; c < model_->columnCount(); ++c) {
        const int title = metrics.horizontalAdvance(model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        const int content = c == 0 ? metrics.horizontalAdvance(QStringLiteral("0000/00/00 00:00")) : number;
        tdg->setColumnWidth(c, std::max(title, content) + 16);
    }

    const int chosen = std::clamp(t05hzC->currentIndex(), 0, int(horizons_.size()) - 1);
    {
        const QSignalBlocker quiet(t05hzC);
        t05hzC->clear();
        for (const Reaction::Horizon &h : horizons_)
            t05hzC->addItem(h.text);
        t05hzC->setCurrentIndex(chosen);
    }
    showScatter();
}

// One point per release with a surprise and a move in the chosen horizon.
void ReactionDialog::showScatter()
{
    const int h = t05hzC->currentIndex();
    QList<QPointF> points;
    pointRows_.clear();
    const std::vector<Reaction::Row> &all = rows();
    for (int r = 0; h >= 0 && r < int(all.size()); ++r) {
        const Reaction::Row &row = all[size_t(r)];
        if (row.surprise && row.moves[size_t(h)]) {
            points.append(QPointF(*row.surprise, *row.moves[size_t(h)]));
            pointRows_.push_back(r);
        }
    }
    auto *x = qobject_cast<QValueAxis *>(t06cht->chart()->axes(Qt::Horizontal).value(0));
    auto *y = qobject_cast<QValueAxis *>(t06cht->chart()->axes(Qt::Vertical).value(0));
    y->setTitleText(h >= 0 ? horizons_[size_t(h)].text + QStringLiteral("変動") : QString());
    if (points.isEmpty()) {
        fit(x, 0, 0);
        fit(y, 0, 0);
    } else {
        auto [left, right] = std::minmax_element(points.begin(), points.end(),
                                                 [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
        auto [low, high] = std::minmax_element(points.begin(), points.end(),
                                               [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
        fit(x, left->x(), right->x());
        fit(y, low->y(), high->y());
    }
    t06ser->replace(points);
}

// The releases at the point, one line each, with their values.
QString ReactionDialog::pointText(const QPointF &point) const
{
    const int h = t05hzC->currentIndex();
    QStringList lines;
    for (int k = 0; k < t06ser->count() && k < int(pointRows_.size()); ++k) {
        if (t06ser->at(k) != point)
            continue;
        const Reaction::Row &row = rows()[size_t(pointRows_[size_t(k)])];
        lines << QStringLiteral("%1  ｻﾌﾟﾗｲｽﾞ %2  %3変動 %4  (結果値 %5 期待値 %6)")
                     .arg(Reaction::timeText(row.minute))
                     .arg(*row.surprise)
                     .arg(horizons_[size_t(h)].text)
                     .arg(*row.moves[size_t(h)])
                     .arg(*row.rv)
                     .arg(*row.ev);
    }
    return lines.join(QLatin1Char('\n'));
}

void ReactionDialog::exportTable()
{
    const QString path = Reaction::exportPath(QDir::currentPath(), csvnm_);
    QDir().mkpath(QFileInfo(path).path()); // one that cannot be made fails with the file's own reason
    TextFileOutput::write(path, Reaction::exportText(rows(), horizons_));
    Boxes::current().message(QDir::toNativeSeparators(path) + QStringLiteral(" に反応表を書出しました"));
}
