#include "ImportProgress.h"
#include <QCoreApplication>
#include <QProgressDialog>

namespace {

constexpr int kShowAfterMs = 500;
constexpr int kUpdateEveryMs = 50;
constexpr unsigned kLinesBetweenClockReads = 256;

} // namespace

ImportProgress::ImportProgress(QWidget *parent, Work work)
    : dialog_(std::make_unique<QProgressDialog>(parent)), work_(work)
{
    dialog_->setObjectName(QStringLiteral("importProgress"));
    dialog_->setWindowTitle(work == Work::Reading ? QStringLiteral("CSVﾌｧｲﾙ読込") : QStringLiteral("CSVﾌｧｲﾙ書込"));
    dialog_->setCancelButtonText(QStringLiteral("キャンセル"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(kShowAfterMs);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
    sinceUpdate_.start();
}

ImportProgress::~ImportProgress() = default;

void ImportProgress::beginFile(const QString &path, int lineCount)
{
    path_ = path;
    lineCount_ = lineCount;
    dialog_->setRange(0, qMax(lineCount, 1));
    update(0);
}

bool ImportProgress::advance(int lineNumber)
{
    if (++calls_ % kLinesBetweenClockReads == 0 && sinceUpdate_.elapsed() >= kUpdateEveryMs)
        update(lineNumber);
    return !dialog_->wasCanceled();
}

bool ImportProgress::wasCancelled() const { return dialog_->wasCanceled(); }

// Once shown, the dialog takes its events while its value is set; before
// that only timers and posted events run, never the user's input.
void ImportProgress::update(int lineNumber)
{
    sinceUpdate_.restart();
    const QString doing = work_ == Work::Reading ? QStringLiteral("を読込中") : QStringLiteral("を書込中");
    dialog_->setLabelText(QStringLiteral("%1 %2\n%3 / %4 行").arg(path_, doing).arg(lineNumber).arg(lineCount_));
    const bool shown = dialog_->isVisible();
    dialog_->setValue(qMin(lineNumber, dialog_->maximum()));
    if (!shown)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
