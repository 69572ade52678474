#include "gui/analysis/BackgroundRun.h"

#include <QMetaObject>
#include <exception>

BackgroundRun::BackgroundRun(QObject* parent) : QObject(parent) {}

BackgroundRun::~BackgroundRun() {
    for (Job& job : m_jobs)
        job.stop->store(true);
    // Joined before the QObject goes: a thread may still post its result to
    // this object, and the queued call is dropped with it.
    for (Job& job : m_jobs)
        job.thread.join();
}

void BackgroundRun::start(Work work) {
    cancel();
    joinFinished();
    const quint64 generation = ++m_generation;
    m_busy = true;
    Job job{std::thread(), std::make_shared<std::atomic_bool>(false),
            std::make_shared<std::atomic_bool>(false)};
    job.thread =
        std::thread([this, work = std::move(work), stop = job.stop, done = job.done, generation] {
            Lottery::Control<> control;
            control.stop = stop.get();
            std::function<void()> deliver;
            try {
                deliver = work(control);
            } catch (const std::exception& e) {
                const QString text = QString::fromUtf8(e.what());
                deliver = [this, text] { Q_EMIT failed(text); };
            }
            if (!stop->load())
                QMetaObject::invokeMethod(
                    this, [this, generation, deliver] { finish(generation, deliver); },
                    Qt::QueuedConnection);
            done->store(true);
        });
    m_jobs.push_back(std::move(job));
}

void BackgroundRun::cancel() {
    ++m_generation;
    m_busy = false;
    for (Job& job : m_jobs)
        job.stop->store(true);
}

void BackgroundRun::finish(quint64 generation, const std::function<void()>& deliver) {
    if (generation != m_generation)
        return;
    m_busy = false;
    if (deliver)
        deliver();
}

void BackgroundRun::joinFinished() {
    for (auto job = m_jobs.begin(); job != m_jobs.end();) {
        if (job->done->load()) {
            job->thread.join();
            job = m_jobs.erase(job);
        } else {
            ++job;
        }
    }
}
