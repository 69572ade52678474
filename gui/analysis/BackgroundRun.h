#pragma once

#include "game/Control.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

// Runs a long computation on a thread of its own so that the window keeps
// answering, one at a time: starting another asks the running one to stop
// (through the stop flag of its Lottery::Control) and drops its result. The work
// returns what to do with its result; that runs on the window's thread, and
// only when no newer run was started (or the run cancelled) meanwhile.
class BackgroundRun : public QObject {
    Q_OBJECT
public:
    using Work = std::function<std::function<void()>(const Lottery::Control<>& control)>;

    explicit BackgroundRun(QObject* parent = nullptr);
    // Asks every run still going to stop and waits for them.
    ~BackgroundRun() override;

    void start(Work work);
    void cancel();
    // Whether a run was started whose result has not arrived.
    bool busy() const { return m_busy; }

Q_SIGNALS:
    // The current run threw; the text is the exception's.
    void failed(const QString& text);

private:
    struct Job {
        std::thread thread;
        std::shared_ptr<std::atomic_bool> stop;
        std::shared_ptr<std::atomic_bool> done;
    };
    void finish(quint64 generation, const std::function<void()>& deliver);
    void joinFinished();

    std::vector<Job> m_jobs;
    quint64 m_generation = 0;
    bool m_busy = false;
};
