#include "app/PeriodsLoader.h"

#include "platform/QtFileSystem.h"

#include <QtConcurrent/QtConcurrentRun>
#include <exception>

namespace {

constexpr int ProgressMilliseconds = 50;

} // namespace

PeriodsLoader::PeriodsLoader(QObject* parent) : QObject(parent) {
    ticker_.setInterval(ProgressMilliseconds);
    connect(&ticker_, &QTimer::timeout, this, &PeriodsLoader::reportProgress);
    connect(&watcher_, &QFutureWatcher<Outcome>::finished, this, &PeriodsLoader::finish);
}

PeriodsLoader::~PeriodsLoader() {
    stop();
}

void PeriodsLoader::stop() {
    if (!watcher_.isRunning())
        return;
    progress_->stop = true;
    watcher_.disconnect(this);
    watcher_.waitForFinished();
    connect(&watcher_, &QFutureWatcher<Outcome>::finished, this, &PeriodsLoader::finish);
}

void PeriodsLoader::load(const QString& path, const RegionalForms& forms, const Sheet& tariffNow,
                         bool reprice) {
    stop();
    auto progress = std::make_shared<Progress>();
    progress_ = progress;
    watcher_.setFuture(QtConcurrent::run([path, forms, tariffNow, reprice, progress] {
        Outcome outcome;
        PeriodOptions options;
        options.reprice = reprice;
        // A reading no longer wanted stops at its next report.
        options.progress = [progress](qint64 done, qint64 total) {
            progress->done = done;
            progress->total = total;
            return !progress->stop;
        };
        try {
            QtFileSystem files;
            outcome.periods = PeriodsOfHistory(files, path, forms, tariffNow, options);
        } catch (const std::exception& failure) {
            outcome.failure = QString::fromStdString(failure.what());
        }
        return outcome;
    }));
    ticker_.start();
}

void PeriodsLoader::reportProgress() {
    emit progress(progress_->done, progress_->total);
}

void PeriodsLoader::finish() {
    ticker_.stop();
    const Outcome outcome = watcher_.result();
    emit loaded(outcome.periods, outcome.failure);
}
