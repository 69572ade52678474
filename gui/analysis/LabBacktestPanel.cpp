#include "gui/analysis/LabBacktestPanel.h"

#include "gui/analysis/AnalysisSettings.h"
#include "lab/StoredBets.h"
#include "lab/TicketFile.h"
#include "widgets/FileDialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

namespace {

// An empty field is no bound; otherwise a whole draw number.
bool drawNumber(const QLineEdit* edit, const QString& name, std::optional<qint64>& tir,
                QString& error) {
    const QString text = edit->text().trimmed();
    if (text.isEmpty())
        return true;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0) {
        error = QStringLiteral("%1: «%2» — ожидался номер тиража").arg(name, text.left(40));
        return false;
    }
    tir = value;
    return true;
}

} // namespace

LabBacktestPanel::LabBacktestPanel(Connection& connection, QWidget* parent)
    : QGroupBox(QStringLiteral("Проверка билетов на прошедших тиражах"), parent),
      m_connection(connection),
      m_ticketsLabel(new QLabel(QStringLiteral("Билеты не выбраны."), this)),
      m_fromFile(new QPushButton(QStringLiteral("Билеты из файла…"), this)),
      m_betsTir(new QSpinBox(this)),
      m_fromBets(new QPushButton(QStringLiteral("Ставки тиража"), this)),
      m_from(new QLineEdit(this)), m_to(new QLineEdit(this)), m_price(new QSpinBox(this)),
      m_walkForward(new QCheckBox(
          QStringLiteral("Играть только билеты, прошедшие условия (тираж за тиражом)"), this)),
      m_run(new QPushButton(QStringLiteral("Проверить"), this)) {
    setObjectName(QStringLiteral("LabBacktest"));
    m_betsTir->setRange(0, 999999);
    m_from->setPlaceholderText(QStringLiteral("первого"));
    m_to->setPlaceholderText(QStringLiteral("последнего"));
    m_price->setRange(0, 1000000);
    m_price->setSuffix(QStringLiteral(" руб."));
    m_price->setValue(int(std::lround(AnalysisSettings::betPrice())));
    m_walkForward->setToolTip(
        QStringLiteral("На тираже n условия по истории (горячие, холодные, не выпадавшие, общие "
                       "с последним) видят только тиражи до n."));
    for (QPushButton* b : {m_fromFile, m_fromBets, m_run})
        b->setAutoDefault(false);

    auto* tickets = new QHBoxLayout;
    tickets->addWidget(m_fromFile);
    tickets->addWidget(m_fromBets);
    tickets->addWidget(m_betsTir);
    tickets->addWidget(m_ticketsLabel, 1);
    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("Тиражи с"), this));
    range->addWidget(m_from);
    range->addWidget(new QLabel(QStringLiteral("по"), this));
    range->addWidget(m_to);
    range->addWidget(new QLabel(QStringLiteral("Цена билета:"), this));
    range->addWidget(m_price);
    range->addStretch(1);
    auto* run = new QHBoxLayout;
    run->addWidget(m_walkForward, 1);
    run->addWidget(m_run);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tickets);
    layout->addLayout(range);
    layout->addLayout(run);

    connect(m_fromFile, &QPushButton::clicked, this, &LabBacktestPanel::chooseFile);
    connect(m_fromBets, &QPushButton::clicked, this,
            [this] { loadStoredBets(m_betsTir->value()); });
    connect(m_run, &QPushButton::clicked, this, &LabBacktestPanel::runRequested);
}

void LabBacktestPanel::chooseFile() {
    if (!m_dialogs)
        return;
    const QString path =
        m_dialogs->openFileName(this, QStringLiteral("Билеты"),
                                QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                QStringLiteral("Билеты (*.txt *.csv *.json);;Все файлы (*)"));
    if (!path.isEmpty())
        loadFile(path);
}

void LabBacktestPanel::loadFile(const QString& path) {
    try {
        m_tickets = Lab::readTicketFile(path);
        showTickets(QStringLiteral("файл «%1»").arg(QFileInfo(path).fileName()));
    } catch (const std::exception& e) {
        m_ticketsLabel->setText(QStringLiteral("«%1»: %2")
                                    .arg(QFileInfo(path).fileName(), QString::fromUtf8(e.what())));
    }
}

void LabBacktestPanel::loadStoredBets(qint64 tir) {
    try {
        const Lab::StoredBets bets = Lab::readStoredBets(m_connection, tir);
        if (bets.tickets.empty()) {
            m_ticketsLabel->setText(
                QStringLiteral("У тиража %1 нет ставок из шести чисел.").arg(tir));
            return;
        }
        m_tickets = bets.tickets;
        QString source = QStringLiteral("ставки тиража %1").arg(tir);
        if (bets.irregular > 0)
            source += QStringLiteral(" (неправильных пропущено: %1)").arg(bets.irregular);
        showTickets(source);
    } catch (const std::exception& e) {
        m_ticketsLabel->setText(QString::fromUtf8(e.what()));
    }
}

void LabBacktestPanel::showTickets(const QString& source) {
    m_ticketsLabel->setText(
        QStringLiteral("Билетов: %1 — %2.").arg(qint64(m_tickets.size())).arg(source));
}

bool LabBacktestPanel::walkForward() const {
    return m_walkForward->isChecked();
}

std::optional<Lab::BacktestRequest> LabBacktestPanel::request(QString& error) const {
    Lab::BacktestRequest request;
    if (m_tickets.empty()) {
        error = QStringLiteral("Выберите билеты: из файла или ставки тиража.");
        return std::nullopt;
    }
    if (!drawNumber(m_from, QStringLiteral("Тиражи с"), request.fromTir, error) ||
        !drawNumber(m_to, QStringLiteral("Тиражи по"), request.toTir, error))
        return std::nullopt;
    request.tickets = m_tickets;
    request.ticketPrice = m_price->value();
    return request;
}
