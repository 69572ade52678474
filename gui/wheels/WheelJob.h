#pragma once

#include "wheels/WheelTypes.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <thread>

// One generation of a wheel on a worker thread, so that the window stays
// responsive. Its signals arrive on the thread that owns the job; stop() ends
// the search early and the job still finishes with the best wheel found.
class WheelJob : public QObject {
    Q_OBJECT
public:
    explicit WheelJob(QObject* parent = nullptr);
    // Stops a running generation and waits for its thread.
    ~WheelJob() override;

    // Starts a generation; options.stop and options.progress are the job's own.
    void start(const Wheels::WheelRequest& request, Wheels::GenerateOptions options);
    void stop();
    bool running() const { return m_worker.joinable(); }

Q_SIGNALS:
    void progressed(const Wheels::GenerateProgress& progress);
    void finished(const Wheels::GenerateResult& result);
    void failed(const QString& message);

private:
    void join();

    std::thread m_worker;
    std::atomic<bool> m_stop{false};
};
