#pragma once

#include "calc/Sheet.h"
#include "logs/HistoryPeriods.h"
#include "platform/RegionalForms.h"

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <memory>

// Reads the periods of the history log on a thread of its own, so that the
// window stays responsive on a long log, and reports its progress on the
// window's thread. The thread has its own file system and copies of the forms
// and the sheet: it shares nothing with the window while it runs.
class PeriodsLoader final : public QObject {
    Q_OBJECT

public:
    explicit PeriodsLoader(QObject* parent);
    // Waits for a reading still running, after asking it to stop.
    ~PeriodsLoader() override;

    // Starts reading `path` (re-pricing each period on `tariffNow` when
    // `reprice`); a reading still running is abandoned.
    void load(const QString& path, const RegionalForms& forms, const Sheet& tariffNow,
              bool reprice);
    bool loading() const { return watcher_.isRunning(); }

signals:
    void progress(qint64 done, qint64 total);
    // `failure` is empty when the log was read.
    void loaded(const HistoryPeriods& periods, const QString& failure);

private:
    struct Outcome {
        HistoryPeriods periods;
        QString failure;
    };
    // What the thread writes and the window reads: plain counters.
    struct Progress {
        std::atomic<qint64> done{0};
        std::atomic<qint64> total{0};
        std::atomic<bool> stop{false};
    };

    void stop();
    void reportProgress();
    void finish();

    QFutureWatcher<Outcome> watcher_;
    std::shared_ptr<Progress> progress_;
    QTimer ticker_;
};
