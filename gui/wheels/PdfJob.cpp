#include "gui/wheels/PdfJob.h"

#include "gui/wheels/WheelPrinting.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <exception>
#include <new>

namespace {

constexpr int kDotsPerInch = 1200;

// Writes the pages into `file`; the failure's text, empty when written.
QString writePdf(QSaveFile& file, const WheelTexts::PrintedWheel& wheel,
                 const WheelPrinting::Progress& progress, bool* cancelled) {
    const QString shown = QDir::toNativeSeparators(file.fileName());
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Не удалось записать файл «%1»: %2").arg(shown, file.errorString());
    QPdfWriter writer(&file);
    writer.setResolution(kDotsPerInch);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer))
        return QStringLiteral("Не удалось записать файл «%1».").arg(shown);
    const QSize page = writer.pageLayout().paintRectPixels(kDotsPerInch).size();
    *cancelled = !WheelPrinting::paintPages(
        {&painter, page, [&writer] { return writer.newPage(); }}, wheel, progress);
    painter.end();
    if (*cancelled)
        return {};
    if (file.error() != QFileDevice::NoError || !file.commit())
        return QStringLiteral("Не удалось записать файл «%1»: %2").arg(shown, file.errorString());
    return {};
}

} // namespace

PdfJob::PdfJob(QObject* parent) : QObject(parent) {}

PdfJob::~PdfJob() {
    m_cancel = true;
    join();
}

void PdfJob::join() {
    if (m_worker.joinable())
        m_worker.join();
}

void PdfJob::cancel() {
    m_cancel = true;
}

void PdfJob::start(const QString& path, WheelTexts::PrintedWheel wheel) {
    join();
    m_cancel = false;
    m_shownPage = 0;
    m_worker = std::thread([this, path, wheel = std::move(wheel)] {
        // Runs on the worker: a page's figures travel as an event, one at a
        // time, so that a fast writer does not flood the window.
        const WheelPrinting::Progress progress = [this](int done, int pages) {
            if (m_shownPage.exchange(done) == 0)
                QMetaObject::invokeMethod(
                    this, [this, pages] { Q_EMIT progressed(m_shownPage.exchange(0), pages); },
                    Qt::QueuedConnection);
            return !m_cancel.load();
        };
        QString failure;
        bool cancelled = false;
        try {
            QSaveFile file(path);
            failure = writePdf(file, wheel, progress, &cancelled);
        } catch (const std::bad_alloc&) {
            failure = QStringLiteral("Не хватило памяти для записи PDF.");
        } catch (const std::exception& e) {
            failure = QString::fromUtf8(e.what());
        }
        QMetaObject::invokeMethod(
            this,
            [this, path, failure, cancelled] {
                join();
                Q_EMIT finished(path, failure, cancelled);
            },
            Qt::QueuedConnection);
    });
}
