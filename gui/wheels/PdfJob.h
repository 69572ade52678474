#pragma once

#include "gui/wheels/WheelTexts.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <thread>

// Writes a wheel's pages as a PDF file on a worker thread, so that the window
// keeps answering while thousands of pages are written. The file appears only
// once written whole: a cancelled or failed write leaves any old file as it
// was. Its signals arrive on the thread that owns the job.
class PdfJob : public QObject {
    Q_OBJECT
public:
    explicit PdfJob(QObject* parent = nullptr);
    // Cancels a running write and waits for its thread.
    ~PdfJob() override;

    void start(const QString& path, WheelTexts::PrintedWheel wheel);
    void cancel();
    bool running() const { return m_worker.joinable(); }

Q_SIGNALS:
    void progressed(int done, int pages);
    // Empty `failure` and not `cancelled`: written.
    void finished(const QString& path, const QString& failure, bool cancelled);

private:
    void join();

    std::thread m_worker;
    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_shownPage{0}; // the last page the window was told of
};
