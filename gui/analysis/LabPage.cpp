#include "gui/analysis/LabPage.h"

#include "analysis/TextTable.h"
#include "entry/BetStore.h"
#include "gui/analysis/AnalysisModel.h"
#include "gui/analysis/AnalysisRows.h"
#include "gui/analysis/BackgroundRun.h"
#include "gui/analysis/LabBacktestPanel.h"
#include "gui/analysis/LabFilterPanel.h"
#include "gui/analysis/LabNetChart.h"
#include "gui/analysis/LabTicketsPanel.h"
#include "lab/FilterEngine.h"
#include "widgets/FileDialogs.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

namespace {

QString rubles(double amount, bool withSign = false) {
    return AnalysisRows::money(std::llround(amount * 100), withSign);
}

QStringList backtestHeader() {
    return {QStringLiteral("Совпадений"), QStringLiteral("Выигрышей"), QStringLiteral("Сумма"),
            QStringLiteral("Случайные: выигрышей"), QStringLiteral("Случайные: сумма")};
}

std::vector<AnalysisRow> backtestRows(const Lab::BacktestResult& result) {
    std::vector<AnalysisRow> rows;
    for (const Lab::CategoryResult& category : result.categories) {
        const int matches = category.category.main;
        AnalysisRow row;
        row.cells = {{QString::number(matches), matches},
                     {QString::number(category.hits), category.hits},
                     {rubles(double(category.prize)), category.prize},
                     {AnalysisRows::twoDecimals(category.expectedHits), category.expectedHits},
                     {rubles(category.expectedPrize), category.expectedPrize}};
        if (category.hitsWithoutPrizes > 0)
            row.toolTip = QStringLiteral("Из них на тиражах без сумм выигрышей: %1")
                              .arg(category.hitsWithoutPrizes);
        if (category.hits > 0)
            row.background = AnalysisRows::kWinColour;
        rows.push_back(std::move(row));
    }
    return rows;
}

QString backtestSummary(const Lab::BacktestResult& result) {
    QString text = Lab::backtestDrawsText(result);
    text += QStringLiteral("; билетов: %1, сыграно по тиражам: %2; стоимость: %3\n")
                .arg(result.tickets)
                .arg(result.ticketsPlayed)
                .arg(rubles(double(result.cost)));
    text += QStringLiteral("Выиграно: %1, итог: %2; случайные билеты на тех же тиражах: "
                           "ожидалось %3, итог %4\n")
                .arg(rubles(double(result.totalPrize)), rubles(double(result.net), true),
                     rubles(result.expectedTotalPrize), rubles(result.expectedNet, true));
    return text + Lab::backtestPValueText(result);
}

} // namespace

LabPage::LabPage(Connection& connection, QWidget* parent)
    : AnalysisPage(parent), m_connection(connection), m_filter(new LabFilterPanel(this)),
      m_countLabel(new QLabel(this)), m_tickets(new LabTicketsPanel(this)),
      m_backtestPanel(new LabBacktestPanel(connection, this)), m_summary(new QLabel(this)),
      m_chart(new LabNetChart(this)), m_counter(new BackgroundRun(this)),
      m_backtest(new BackgroundRun(this)), m_history(std::make_shared<const Draws::History>()) {
    setObjectName(QStringLiteral("LabPage"));
    m_countLabel->setObjectName(QStringLiteral("LabCount"));
    m_countLabel->setWordWrap(true);
    QFont bold = m_countLabel->font();
    bold.setBold(true);
    m_countLabel->setFont(bold);
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    model()->setRows(backtestHeader(), {});
    // Tall enough for its title and the four categories.
    tableView()->setFixedHeight(tableView()->horizontalHeader()->sizeHint().height() +
                                4 * tableView()->verticalHeader()->defaultSectionSize() +
                                2 * tableView()->frameWidth() + 2);

    QVBoxLayout* layout = scrollingLayout();
    layout->addWidget(m_filter);
    layout->addWidget(m_countLabel);
    layout->addWidget(m_tickets);
    layout->addWidget(m_backtestPanel);
    layout->addWidget(tableView());
    layout->addWidget(m_summary);
    layout->addWidget(m_chart, 1);

    connect(m_filter, &LabFilterPanel::changed, this, &LabPage::recount);
    connect(m_backtestPanel, &LabBacktestPanel::runRequested, this, &LabPage::runBacktest);
    connect(m_tickets, &LabTicketsPanel::sampleRequested, this, &LabPage::showSample);
    connect(m_tickets, &LabTicketsPanel::saveRequested, this, &LabPage::saveTickets);
    connect(m_tickets, &LabTicketsPanel::betsRequested, this, &LabPage::storeBets);
    connect(m_counter, &BackgroundRun::failed, m_countLabel, &QLabel::setText);
    connect(m_backtest, &BackgroundRun::failed, m_summary, &QLabel::setText);
}

LabPage::~LabPage() = default;

void LabPage::setFileDialogs(FileDialogs* dialogs) {
    m_dialogs = dialogs;
    m_backtestPanel->setFileDialogs(dialogs);
}

QWidget* LabPage::chartView() const {
    return m_chart;
}

bool LabPage::backtestRunning() const {
    return m_backtest->busy();
}

void LabPage::recompute(AnalysisSource& source) {
    m_history = source.draws();
    m_prizes.reset();
    recount();
    if (m_backtestShown)
        runBacktest();
}

void LabPage::recount() {
    m_count = -1;
    QString error;
    const std::optional<Lab::Filter> filter = m_filter->filter(error);
    if (!filter) {
        m_counter->cancel();
        m_countLabel->setText(error);
        return;
    }
    m_countLabel->setText(QStringLiteral("Считается…"));
    m_counter->start([this, filter = *filter, history = m_history](
                         const Lottery::Control<>& control) -> std::function<void()> {
        const Lab::HistoryFacts facts =
            filter.usesHistory() ? Lab::historyFacts(filter, *history) : Lab::HistoryFacts{};
        const Lab::CountResult count = Lab::countPassing(filter, facts, control);
        if (count.stopped)
            return {};
        return [this, count] {
            m_count = count.passing;
            const QLocale locale;
            m_countLabel->setText(QStringLiteral("Проходят %1 из %2 комбинаций (%3 %)")
                                      .arg(locale.toString(count.passing),
                                           locale.toString(count.total),
                                           locale.toString(count.share() * 100, 'f', 2)));
        };
    });
}

std::optional<std::vector<Lab::Ticket>> LabPage::passingTickets(int limit, bool sample) {
    QString error;
    const std::optional<Lab::Filter> filter = m_filter->filter(error);
    if (!filter) {
        m_tickets->showSample(error);
        return std::nullopt;
    }
    const Lab::HistoryFacts facts =
        filter->usesHistory() ? Lab::historyFacts(*filter, *m_history) : Lab::HistoryFacts{};
    return sample ? Lab::passingSample(*filter, facts, limit,
                                       quint64(QDateTime::currentMSecsSinceEpoch()))
                  : Lab::passingPage(*filter, facts, 0, limit);
}

void LabPage::showSample() {
    const auto tickets = passingTickets(5, true);
    if (!tickets)
        return;
    QStringList lines;
    for (const Lab::Ticket& ticket : *tickets)
        lines << Lab::ticketText(ticket, QLatin1Char(' '));
    m_tickets->showSample(lines.isEmpty()
                              ? QStringLiteral("Ни одна комбинация не проходит.")
                              : QStringLiteral("Например: ") + lines.join(QStringLiteral("; ")));
}

void LabPage::saveTickets() {
    if (!m_dialogs)
        return;
    const QString path = m_dialogs->saveFileName(this, QStringLiteral("Сохранить билеты"),
                                                 QStringLiteral("билеты.csv"),
                                                 QStringLiteral("Таблица CSV (*.csv)"));
    if (path.isEmpty())
        return;
    const auto tickets = passingTickets(m_tickets->limit(), false);
    if (!tickets)
        return;
    const QByteArray bytes = Analysis::ticketsCsv(Lab::sixNumberTickets(*tickets));
    QSaveFile file(path);
    const bool saved =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    m_tickets->showSample(
        saved ? QStringLiteral("Сохранено билетов: %1").arg(tickets->size())
              : QStringLiteral("Не удалось сохранить «%1»: %2").arg(path, file.errorString()));
}

void LabPage::storeBets() {
    bool ok = false;
    const int tir = m_tickets->drawNumberText().toInt(&ok);
    if (!ok || tir < 1) {
        m_tickets->showSample(QStringLiteral("Укажите номер тиража для ставок."));
        return;
    }
    const auto tickets = passingTickets(m_tickets->limit(), false);
    if (!tickets)
        return;
    try {
        BetStore::addBets(m_connection, tir, Lab::sixNumberTickets(*tickets));
        m_tickets->showSample(
            QStringLiteral("Записано ставок: %1, тираж %2").arg(tickets->size()).arg(tir));
    } catch (const std::exception& e) {
        m_tickets->showSample(QStringLiteral("Ставки не записаны: ") + QString::fromUtf8(e.what()));
    }
}

void LabPage::runBacktest() {
    QString error;
    std::optional<Lab::BacktestRequest> request = m_backtestPanel->request(error);
    if (request && m_backtestPanel->walkForward()) {
        const std::optional<Lab::Filter> filter = m_filter->filter(error);
        if (filter)
            request->walkForward = *filter;
        else
            request.reset();
    }
    try {
        if (request && !m_prizes)
            m_prizes = std::make_shared<const Draws::History>(
                Draws::read(m_connection, Lab::backtestRequest()));
    } catch (const std::exception& e) {
        request.reset();
        error = QStringLiteral("Не удалось прочитать тиражи: ") + QString::fromUtf8(e.what());
    }
    if (request)
        error = Lab::backtestProblem(*m_prizes, *request);
    if (!error.isEmpty()) {
        m_backtest->cancel();
        m_summary->setText(error);
        return;
    }
    m_backtestShown = true;
    m_summary->setText(QStringLiteral("Считается…"));
    m_backtest->start([this, request = *request, prizes = m_prizes](
                          const Lottery::Control<>& control) -> std::function<void()> {
        auto result =
            std::make_shared<Lab::BacktestResult>(Lab::runBacktest(*prizes, request, control));
        if (result->stopped)
            return {};
        return [this, result, price = request.ticketPrice] { showBacktest(*result, price); };
    });
}

void LabPage::showBacktest(const Lab::BacktestResult& result, qint64 price) {
    m_result = result;
    model()->setRows(backtestHeader(), backtestRows(result));
    m_summary->setText(backtestSummary(result));
    m_chart->showOutcomes(result.perDraw, price);
}

Analysis::TextTable LabPage::exportTable() const {
    Analysis::TextTable table;
    table.header = {QStringLiteral("matches"), QStringLiteral("hits"), QStringLiteral("prize"),
                    QStringLiteral("expected_hits"), QStringLiteral("expected_prize")};
    if (model()->rowCount() == 0)
        return table;
    for (const Lab::CategoryResult& category : m_result.categories) {
        table.rows.push_back({Analysis::TableCell::number(qint64(category.category.main)),
                              Analysis::TableCell::number(category.hits),
                              Analysis::TableCell::number(category.prize),
                              Analysis::TableCell::number(category.expectedHits, 4),
                              Analysis::TableCell::number(category.expectedPrize, 2)});
    }
    return table;
}
