#include "gui/wheels/WheelJob.h"

#include "wheels/WheelGenerator.h"

#include <memory>
#include <new>

WheelJob::WheelJob(QObject* parent) : QObject(parent) {}

WheelJob::~WheelJob() {
    // Whatever the worker posted to this object is discarded with it.
    m_stop = true;
    join();
}

void WheelJob::join() {
    if (m_worker.joinable())
        m_worker.join();
}

void WheelJob::stop() {
    m_stop = true;
}

void WheelJob::start(const Wheels::WheelRequest& request, Wheels::GenerateOptions options) {
    join();
    m_stop = false;
    options.stop = &m_stop;
    // Runs on the worker: the figures travel to this object's thread as events.
    options.progress = [this](const Wheels::GenerateProgress& progress) {
        QMetaObject::invokeMethod(
            this, [this, progress] { Q_EMIT progressed(progress); }, Qt::QueuedConnection);
    };
    m_worker = std::thread([this, request, options] {
        auto result = std::make_shared<Wheels::GenerateResult>();
        QString failure;
        try {
            *result = Wheels::generateWheel(request, options);
        } catch (const Wheels::WheelError& e) {
            failure = e.message();
        } catch (const std::bad_alloc&) {
            failure = QStringLiteral("Не хватило памяти для построения системы.");
        } catch (const std::exception& e) {
            failure = QString::fromUtf8(e.what());
        }
        // The last event of the worker: the thread ends right after posting it.
        QMetaObject::invokeMethod(
            this,
            [this, result, failure] {
                join();
                if (failure.isEmpty())
                    Q_EMIT finished(*result);
                else
                    Q_EMIT failed(failure);
            },
            Qt::QueuedConnection);
    });
}
