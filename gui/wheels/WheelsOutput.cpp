// The wheels window's ways in and out: the hottest or coldest balls of the
// draws as the chosen numbers, and the shown tickets stored as bets, written
// as CSV, printed or saved as PDF.
#include "gui/wheels/WheelsWindow.h"

#include "analysis/BallStats.h"
#include "dataset/Statement.h"
#include "draws/StoredDraws.h"
#include "entry/BetStore.h"
#include "game/HotCold.h"
#include "gui/wheels/NumberChooser.h"
#include "gui/wheels/PdfJob.h"
#include "gui/wheels/WheelPrinting.h"
#include "gui/wheels/WheelTexts.h"
#include "wheels/GameTickets.h"
#include "widgets/FileDialogs.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ScreenFit.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QStandardPaths>

#include <algorithm>

void WheelsWindow::setFileDialogs(FileDialogs* dialogs) {
    m_dialogs = dialogs ? dialogs : m_ownDialogs.get();
}

void WheelsWindow::placeBeside(const QWidget* main) {
    if (m_placed)
        return;
    m_placed = true;
    // Over the middle of the main window, which stays in view around it; on a
    // small screen as much of it as the screen has room for.
    const QSize frame = size().grownBy(ScreenFit::frameMargins(this));
    ScreenFit::place(this, main->frameGeometry().center() -
                               QPoint(frame.width() / 2, frame.height() / 2));
}

void WheelsWindow::closeEvent(QCloseEvent* event) {
    // A search nobody watches is stopped; its best wheel is still shown.
    stop();
    QWidget::closeEvent(event);
}

void WheelsWindow::takeFromDraws(bool hottest) {
    const Analysis::BallTable table =
        Analysis::computeBallStats(Draws::read(m_connection), kRecentDraws);
    if (table.draws == 0) {
        showFailure(
            QStringLiteral("В базе нет тиражей: выбрать горячие и холодные шары не из чего."));
        return;
    }
    // Ranked as everywhere else: the hottest have the most hits in the newest
    // draws, then the shorter current delay; the coldest the fewest hits, then
    // the longer delay; ties go to the lower number.
    Lottery::BallHeat heat(int(table.balls.size()));
    for (const Analysis::BallStat& s : table.balls) {
        heat.hits[size_t(s.ball)] = s.hitsLastN;
        heat.delay[size_t(s.ball)] = s.delay;
    }
    const std::vector<int> ranked =
        Lottery::rankBalls(heat, hottest ? Lottery::Heat::Hottest : Lottery::Heat::Coldest);
    const std::vector<int> chosen(
        ranked.begin(), ranked.begin() + std::min<qsizetype>(m_count->value(), ranked.size()));
    m_chooser->setChosen(chosen);
    showDone(QStringLiteral("Выбраны %1 %2 шаров последних %3 тиражей.")
                 .arg(chosen.size())
                 .arg(hottest ? QStringLiteral("самых частых") : QStringLiteral("самых редких"))
                 .arg(table.lastN));
}

int WheelsWindow::suggestedTir() const {
    // The draw after the newest stored one: the next one to play.
    try {
        Statement newest(m_connection, QStringLiteral("select max(tir) from razyg"));
        if (newest.step())
            return std::max(1, newest.value(0).toInt() + 1);
    } catch (const std::exception&) {
        // No database yet: the user types the number.
    }
    return 1;
}

qsizetype WheelsWindow::storedAlready(int tir) const {
    return BetStore::storedAlready(m_connection, tir, Lottery::Game(),
                                   Wheels::gameTickets(tickets()));
}

void WheelsWindow::saveBets() {
    if (tickets().empty())
        return;
    const int tir = m_tir->value();
    // Pressed twice, or for tickets stored before: asked, not stored again unseen.
    if (const qsizetype already = storedAlready(tir); already > 0 && m_boxes) {
        BoxRequest box;
        box.owner = this;
        box.caption = windowTitle();
        box.icon = BoxIcon::Question;
        box.buttons = BoxButtons::YesNo;
        box.text = QStringLiteral("%1 из %2 уже записаны в ставки тиража %3. Записать все "
                                  "билеты ещё раз?")
                       .arg(WheelTexts::ticketsText(already),
                            QLocale().toString(qulonglong(tickets().size())))
                       .arg(tir);
        if (m_boxes->show(box) != BoxResult::Yes) {
            showDone(QStringLiteral("Ставки не записаны."));
            return;
        }
    }
    BetStore::addBets(m_connection, tir, Lottery::Game(), Wheels::gameTickets(tickets()));
    showDone(QStringLiteral("Записано ставок: %1 на тираж %2.")
                 .arg(QLocale().toString(qulonglong(tickets().size())))
                 .arg(tir));
    if (m_betsSaved)
        m_betsSaved();
}

QString WheelsWindow::askPath(const QString& caption, const QString& name, const QString& filter) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return m_dialogs->saveFileName(this, caption, QDir(folder).filePath(name), filter);
}

WheelTexts::PrintedWheel WheelsWindow::printedWheel() const {
    return {m_shownRequest, tickets(), m_checkLine->text(), m_recordLine->text()};
}

void WheelsWindow::saveCsv() {
    if (tickets().empty())
        return;
    const QString path = askPath(QStringLiteral("Сохранить систему"), QStringLiteral("система.csv"),
                                 QStringLiteral("Таблица CSV (*.csv)"));
    if (path.isEmpty())
        return;
    const QByteArray text = WheelTexts::ticketsCsv(tickets());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        showFailure(QStringLiteral("Не удалось сохранить файл «%1»: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    showDone(QStringLiteral("Сохранено: %1").arg(QDir::toNativeSeparators(path)));
}

void WheelsWindow::printPreview() {
    if (!tickets().empty())
        WheelPrinting::preview(this, printedWheel());
}

void WheelsWindow::savePdf() {
    if (tickets().empty())
        return;
    const QString path =
        askPath(QStringLiteral("Сохранить систему в PDF"), QStringLiteral("система.pdf"),
                QStringLiteral("Документ PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    // A wheel on 49 numbers can take thousands of pages and some seconds:
    // they are written on a worker, their count shown, and «Стоп» cancels.
    showDone(QString());
    m_progress->setRange(0, 0);
    m_progressText->setText(QStringLiteral("Записывается PDF…"));
    setRunning(true);
    m_stop->setFocus();
    m_pdf->start(path, printedWheel());
}

void WheelsWindow::showPdfProgress(int done, int pages) {
    m_progress->setRange(0, pages);
    m_progress->setValue(done);
    m_progressText->setText(
        QStringLiteral("Записывается PDF: страница %1 из %2").arg(done).arg(pages));
}

void WheelsWindow::showPdfWritten(const QString& path, const QString& failure, bool cancelled) {
    m_progress->setRange(0, 1);
    m_progress->setValue(cancelled || !failure.isEmpty() ? 0 : 1);
    m_progressText->clear();
    setRunning(false);
    if (cancelled)
        showDone(QStringLiteral("Запись PDF отменена: файл не записан."));
    else if (failure.isEmpty())
        showDone(QStringLiteral("Сохранено: %1").arg(QDir::toNativeSeparators(path)));
    else
        showFailure(failure);
}
