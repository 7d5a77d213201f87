#include "Tdm.h"

Tdm::Tdm(QObject *parent)
    : QObject(parent),
      qst(query("qst")),
      qq(query("qq")),
      qa(query("qa")),
      qw(query("qw")),
      qe1(query("qe1", true)),
      qe2(query("qe2", true)),
      qf1(query("qf1", true)),
      qf2(query("qf2", true)),
      qd(query("qd")),
      dse1(new DataSource(qe1, QStringLiteral("dse1"), this)),
      dse2(new DataSource(qe2, QStringLiteral("dse2"), this)),
      dsf1(new DataSource(qf1, QStringLiteral("dsf1"), this)),
      dsf2(new DataSource(qf2, QStringLiteral("dsf2"), this)),
      dsd(new DataSource(qd, QStringLiteral("dsd"), this))
{
    setObjectName(QStringLiteral("dm"));
}

// The queries go before the connection they were opened on.
Tdm::~Tdm()
{
    qDeleteAll(findChildren<DataSource *>(Qt::FindDirectChildrenOnly));
    qDeleteAll(findChildren<Dataset *>(Qt::FindDirectChildrenOnly));
}

Dataset *Tdm::query(const char *name, bool editable)
{
    auto *dataset = new Dataset(csq, QString::fromLatin1(name), this);
    dataset->setEditable(editable);
    return dataset;
}
