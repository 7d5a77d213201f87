// Reading the FX price files: every instrument's file, in the order of the
// FX list, replaces the prices of AFX.
//
// Each file is read in the form its first lines show (exchange/PriceForm.h);
// its header, when it has one, is passed over and uses up its number.
//
// The replacement is one transaction: when a file cannot be read, or the user
// cancels, AFX holds exactly what it held before. A line the database, the
// number rule or its form refuses is passed over alone and its number is used
// up; the closing box counts such lines. The indexes of AFX are made again
// once all rows are in, which is quicker than keeping them up row by row.
//
// A line goes from the file to its row through views and buffers kept from
// line to line (CsvFile::LineReader, CsvSplit::Fields, PriceLine::SlotViews,
// PreparedInsert): nothing is allocated for a line that is bound.
#include "app/ImportProgress.h"
#include "app/VostrelF.h"
#include "exchange/CsvFile.h"
#include "exchange/ImportReport.h"
#include "exchange/PriceForm.h"
#include "store/Boxes.h"
#include "store/IndexPause.h"
#include "store/PreparedInsert.h"
#include "store/Tdm.h"
#include "store/TransactionGuard.h"
#include "store/WholeNumber.h"
#include <QDir>
#include <array>
#include <vector>

namespace {

// The decimal text of n, as QString::number writes it, in room.
QStringView decimal(int n, std::array<char16_t, 12> &room)
{
    char16_t *end = room.data() + room.size();
    char16_t *p = end;
    qint64 v = n;
    const bool negative = v < 0;
    if (negative)
        v = -v;
    do {
        *--p = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v);
    if (negative)
        *--p = u'-';
    return QStringView(p, end);
}

// One reading of every FX price file into AFX, inside one transaction.
class PriceImport {
public:
    // The insert is prepared once, from the column rows of stnm.
    explicit PriceImport(TVostrelF &w)
        : w_(w), csq_(w.dm().csq), qf1_(*w.dm().qf1), insert_(csq_, w.stnm, w.insertColumns()),
          values_(size_t(insert_.columnCount()))
    {
        if (values_.size() < size_t(PriceLine::kLastSlot - StoreRoutines::kFirstValueSlot + 1))
            values_.resize(PriceLine::kLastSlot - StoreRoutines::kFirstValueSlot + 1);
    }

    // Replaces every price; false when the user cancelled, and then AFX is
    // as it was.
    bool run(const QString &folder, ImportProgress &progress)
    {
        TransactionGuard transaction(csq_, TransactionGuard::Transaction);
        w_.sqw = QStringLiteral(" delete from ") + w_.stnm;
        csq_.execute(w_.sqw);
        IndexPause indexes(csq_, w_.stnm);
        int iz = 1;
        for (; !qf1_.eof(); qf1_.next()) {
            if (!readFile(folder, iz, progress))
                return false;
        }
        indexes.restore();
        transaction.commit();
        return true;
    }

    const ImportReport &report() const { return report_; }

private:
    bool readFile(const QString &folder, int &iz, ImportProgress &progress)
    {
        const QString sid = qf1_.text(QStringLiteral("FID"));
        const QString six = qf1_.text(QStringLiteral("FXNM"));
        const QString name = qf1_.text(QStringLiteral("CSVNM")) + QStringLiteral(".CSV");
        const QString path = folder + name;
        CsvFile::LineReader lines(path);
        const PriceForm::Recognised format = PriceForm::recognise(lines);
        report_.addFile(name, format.form);
        progress.beginFile(path, int(lines.count()));
        QStringView line;
        for (int k = 0; lines.next(line); ++k) {
            if (!progress.advance(k))
                return false;
            PriceForm::split(format.form, line, fields_);
            if (fields_.isEmpty())
                continue;
            if (k != format.header && !storeLine(format.form, iz, sid, six))
                report_.refuse(path, k + 1);
            iz = WholeNumber::add(iz, 1);
        }
        return true;
    }

    // The row of the price line in fields_, numbered iz; false when its form
    // or the database refuses it.
    bool storeLine(PriceForm::Form form, int iz, const QString &sid, const QString &six)
    {
        if (!PriceForm::take(form, fields_.data(), fields_.size(), slots_))
            return false;
        values_[0] = decimal(iz, number_);
        values_[1] = sid;
        values_[2] = six;
        for (int slot = PriceLine::kFirstSlot; slot <= PriceLine::kLastSlot; ++slot)
            values_[slot - StoreRoutines::kFirstValueSlot] = slots_[slot];
        return storeRow();
    }

    // The insert of the slots, bound where that stores the row the builder's
    // statement stores, else the builder's statement itself; false when it is
    // refused. A refused insert undoes itself alone; should the database have
    // ended the whole transaction instead, the import stops.
    bool storeRow()
    {
        switch (insert_.run(values_.data())) {
        case PreparedInsert::Outcome::Stored: return true;
        case PreparedInsert::Outcome::Refused: return false;
        case PreparedInsert::Outcome::NeedsLiteral: break;
        }
        w_.clearValueSlots();
        for (size_t k = 0; k < values_.size(); ++k)
            w_.sa[StoreRoutines::kFirstValueSlot + k] = values_[k].toString();
        return w_.insertSlotsOrRefuse();
    }

    TVostrelF &w_;
    Connection &csq_;
    Dataset &qf1_;
    PreparedInsert insert_;
    ImportReport report_;
    // Room for one line after another: its fields, its slots, its number and
    // the values of its row in column order, slot 11 first.
    CsvSplit::Fields fields_;
    PriceLine::SlotViews slots_;
    std::array<char16_t, 12> number_;
    std::vector<QStringView> values_;
};

} // namespace

void TVostrelF::b105cvrBClick(QObject *) { uqCsv(3); }

void TVostrelF::readPriceFiles()
{
    const QString sf = QDir::currentPath() + QStringLiteral("/FXﾃﾞｰﾀ/CSV/");
    stnm = QStringLiteral("AFX");
    if (!Boxes::current().confirmYesNo(QStringLiteral("ﾃｰﾌﾞﾙﾃﾞｰﾀは書き換えられますが実行しますか?")))
        return;
    Dataset &qf1 = *dm().qf1;
    const int itb = WholeNumber::parse(qf1.text(QStringLiteral("CNT")));
    dm().qf2->close();
    qf1.first();

    PriceImport import(*this);
    ImportProgress progress(this);
    const bool completed = import.run(sf, progress);

    qf1.first();
    while (!qf1.eof() && qf1.text(QStringLiteral("CNT")) != QString::number(itb))
        qf1.next();
    uqf2(1);
    if (completed)
        Boxes::current().message(import.report().closingText());
    else
        Boxes::current().message(ImportReport::cancelledText());
}
