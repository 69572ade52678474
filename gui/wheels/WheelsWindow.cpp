#include "gui/wheels/WheelsWindow.h"

#include "gui/wheels/NumberChooser.h"
#include "gui/wheels/PdfJob.h"
#include "gui/wheels/TicketTableModel.h"
#include "gui/wheels/WheelJob.h"
#include "gui/wheels/WheelTexts.h"
#include "wheels/WheelInput.h"
#include "wheels/WheelRecords.h"
#include "widgets/FileDialogs.h"
#include "widgets/ScreenFit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kClockMilliseconds = 200;

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

WheelsWindow::WheelsWindow(Connection& connection, MessageBoxes* boxes, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_connection(connection),
      m_boxes(boxes), m_ownDialogs(std::make_unique<QtFileDialogs>()),
      m_dialogs(m_ownDialogs.get()), m_job(new WheelJob(this)), m_pdf(new PdfJob(this)) {
    setObjectName(QStringLiteral("WheelsForm"));
    setWindowTitle(QStringLiteral("Системы"));
    // Closing the main window ends the program even while this one is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(820, 700);

    m_ticketModel = new TicketTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("WheelTickets"));
    m_table->setModel(m_ticketModel);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false); // Tab goes on to the next control
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_checkLine = new QLabel(this);
    m_checkLine->setObjectName(QStringLiteral("WheelCheck"));
    m_recordLine = new QLabel(this);
    m_recordLine->setObjectName(QStringLiteral("WheelRecord"));
    m_recordLine->setToolTip(Wheels::recordSourcesText());
    m_recordLine->setWordWrap(true);
    m_method = new QLabel(this);
    m_method->setWordWrap(true);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("WheelStatus"));
    m_status->setWordWrap(true);
    QFont strong = m_checkLine->font();
    strong.setBold(true);
    m_checkLine->setFont(strong);

    auto* top = new QHBoxLayout;
    top->addWidget(createChoicePanel());
    top->addWidget(createSettingsPanel(), 1);
    // Everything scrolls within the window when the screen is lower than it.
    QVBoxLayout* layout = ScreenFit::scrollingLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_checkLine);
    layout->addWidget(m_recordLine);
    layout->addWidget(m_method);
    layout->addWidget(createOutputRow());
    layout->addWidget(m_status);

    connect(m_chooser, &NumberChooser::changed, this, &WheelsWindow::choiceChanged);
    connect(m_keys, &QLineEdit::textChanged, this, &WheelsWindow::choiceChanged);
    connect(m_build, &QPushButton::clicked, this, [this] { guarded([this] { generate(); }); });
    connect(m_stop, &QPushButton::clicked, this, &WheelsWindow::stop);
    connect(m_job, &WheelJob::progressed, this, &WheelsWindow::showProgress);
    connect(m_job, &WheelJob::finished, this, &WheelsWindow::showResult);
    connect(m_pdf, &PdfJob::progressed, this, &WheelsWindow::showPdfProgress);
    connect(m_pdf, &PdfJob::finished, this, &WheelsWindow::showPdfWritten);
    connect(m_job, &WheelJob::failed, this, [this](const QString& text) {
        setRunning(false);
        showFailure(text);
    });
    // Esc closes the window, as it closes a dialog (a search running stops).
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    m_clock.setInterval(kClockMilliseconds);
    connect(&m_clock, &QTimer::timeout, this, &WheelsWindow::tick);
    // The lines about a wheel appear with the first one.
    for (QLabel* line : {m_checkLine, m_recordLine, m_method, m_status})
        line->hide();
    setRunning(false);
    choiceChanged();
}

WheelsWindow::~WheelsWindow() = default;

QWidget* WheelsWindow::createChoicePanel() {
    auto* box = new QGroupBox(QStringLiteral("Числа"), this);
    m_chooser = new NumberChooser(box);
    m_chosenCount = new QLabel(box);
    m_chosenCount->setObjectName(QStringLiteral("WheelChosenCount"));
    QPushButton* clear = button(QStringLiteral("Очистить"), "WheelClear", box);
    connect(clear, &QPushButton::clicked, this, [this] { m_chooser->setChosen({}); });
    m_count = new QSpinBox(box);
    m_count->setObjectName(QStringLiteral("WheelTakeCount"));
    m_count->setRange(Lottery::Game().k() + 1, Lottery::Game().n()); // up to every ball
    m_count->setValue(12);
    QPushButton* hot = button(QStringLiteral("Горячие"), "WheelTakeHot", box);
    QPushButton* cold = button(QStringLiteral("Холодные"), "WheelTakeCold", box);
    const QString recent =
        QStringLiteral("Шары, выпадавшие чаще всех (реже всех) в последних %1 тиражах")
            .arg(kRecentDraws);
    for (QWidget* w :
         {static_cast<QWidget*>(m_count), static_cast<QWidget*>(hot), static_cast<QWidget*>(cold)})
        w->setToolTip(recent);
    connect(hot, &QPushButton::clicked, this, [this] { guarded([this] { takeFromDraws(true); }); });
    connect(cold, &QPushButton::clicked, this,
            [this] { guarded([this] { takeFromDraws(false); }); });

    auto* counted = new QHBoxLayout;
    counted->addWidget(m_chosenCount, 1);
    counted->addWidget(clear);
    auto* take = new QHBoxLayout;
    take->addWidget(new QLabel(QStringLiteral("Взять"), box));
    take->addWidget(m_count);
    take->addWidget(hot);
    take->addWidget(cold);
    take->addStretch(1);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(m_chooser);
    layout->addLayout(counted);
    layout->addLayout(take);
    return box;
}

QWidget* WheelsWindow::createSettingsPanel() {
    auto* box = new QGroupBox(QStringLiteral("Система"), this);
    m_guarantee = new QComboBox(box);
    m_guarantee->setObjectName(QStringLiteral("WheelGuarantee"));
    for (int t = 2; t <= 5; ++t)
        for (int m = t; m <= Lottery::Game().k(); ++m)
            m_guarantee->addItem(WheelTexts::guaranteeText({t, m}), t * 10 + m);
    m_guarantee->setCurrentIndex(m_guarantee->findData(36));
    m_guarantee->setToolTip(QStringLiteral(
        "«T из M»: если M выпавших шаров среди выбранных чисел, хотя бы один билет угадывает T"));
    m_keys = new QLineEdit(box);
    m_keys->setObjectName(QStringLiteral("WheelKeys"));
    m_keys->setPlaceholderText(QStringLiteral("до трёх, например 7, 11"));
    m_keys->setToolTip(QStringLiteral("Ключевые числа стоят в каждом билете; гарантия — для "
                                      "тиражей, в которых выпали все они"));
    m_seconds = new QSpinBox(box);
    m_seconds->setObjectName(QStringLiteral("WheelSeconds"));
    m_seconds->setRange(1, 3600);
    m_seconds->setValue(kDefaultSeconds);
    m_seconds->setSuffix(QStringLiteral(" с"));
    m_seed = new QSpinBox(box);
    m_seed->setObjectName(QStringLiteral("WheelSeed"));
    m_seed->setRange(0, 999999999);
    m_seed->setValue(1);
    m_seed->setToolTip(QStringLiteral("С тем же начальным числом поиск идёт тем же путём"));
    m_build = button(QStringLiteral("Построить"), "WheelBuild", box);
    m_stop = button(QStringLiteral("Стоп"), "WheelStop", box);
    m_stop->setToolTip(QStringLiteral(
        "Остановить поиск и оставить лучшую найденную систему (или отменить запись PDF)"));
    m_progress = new QProgressBar(box);
    m_progress->setTextVisible(false);
    m_progressText = new QLabel(box);
    m_progressText->setObjectName(QStringLiteral("WheelProgress"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Гарантия:"), m_guarantee);
    form->addRow(QStringLiteral("Ключевые числа:"), m_keys);
    form->addRow(QStringLiteral("Время поиска:"), m_seconds);
    form->addRow(QStringLiteral("Начальное число:"), m_seed);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_build);
    buttons->addWidget(m_stop);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(m_progress);
    layout->addWidget(m_progressText);
    layout->addStretch(1);
    return box;
}

QWidget* WheelsWindow::createOutputRow() {
    auto* row = new QWidget(this);
    m_tir = new QSpinBox(row);
    m_tir->setObjectName(QStringLiteral("WheelTir"));
    m_tir->setRange(1, 999999);
    m_tir->setValue(suggestedTir());
    m_saveBets = button(QStringLiteral("Записать в ставки"), "WheelSaveBets", row);
    m_saveCsv = button(QStringLiteral("Сохранить CSV…"), "WheelSaveCsv", row);
    m_print = button(QStringLiteral("Печать…"), "WheelPrint", row);
    m_savePdf = button(QStringLiteral("Сохранить PDF…"), "WheelSavePdf", row);
    connect(m_saveBets, &QPushButton::clicked, this, [this] { guarded([this] { saveBets(); }); });
    connect(m_saveCsv, &QPushButton::clicked, this, [this] { guarded([this] { saveCsv(); }); });
    connect(m_print, &QPushButton::clicked, this, [this] { guarded([this] { printPreview(); }); });
    connect(m_savePdf, &QPushButton::clicked, this, [this] { guarded([this] { savePdf(); }); });
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Тираж:"), row));
    layout->addWidget(m_tir);
    layout->addWidget(m_saveBets);
    layout->addStretch(1);
    layout->addWidget(m_saveCsv);
    layout->addWidget(m_print);
    layout->addWidget(m_savePdf);
    return row;
}

void WheelsWindow::choiceChanged() {
    m_chosenCount->setText(QStringLiteral("Выбрано: %1").arg(m_chooser->chosen().size()));
    std::vector<int> keys;
    if (Wheels::parseNumberList(m_keys->text(), &keys).isEmpty())
        m_chooser->setKeys(keys);
}

Wheels::WheelRequest WheelsWindow::request(QString* problem) const {
    Wheels::WheelRequest request;
    request.numbers = m_chooser->chosen();
    const int code = m_guarantee->currentData().toInt();
    request.guarantee = {code / 10, code % 10};
    if (!m_keys->text().trimmed().isEmpty()) {
        *problem = Wheels::parseNumberList(m_keys->text(), &request.keys);
        if (!problem->isEmpty())
            return request;
    }
    *problem = Wheels::validateRequest(request);
    return request;
}

void WheelsWindow::generate() {
    if (running())
        return;
    QString problem;
    const Wheels::WheelRequest wanted = request(&problem);
    if (!problem.isEmpty()) {
        showFailure(problem);
        return;
    }
    Wheels::GenerateOptions options;
    options.seconds = m_seconds->value();
    options.seed = std::uint64_t(m_seed->value());
    m_shownRequest = wanted;
    m_bestSize = 0;
    showDone(QString());
    // The wheel shown was made for the last request: it goes while the next is searched.
    m_ticketModel->setTickets({});
    for (QLabel* line : {m_checkLine, m_recordLine, m_method})
        line->hide();
    m_elapsed.start();
    m_progress->setRange(0, m_seconds->value() * 1000);
    m_progress->setValue(0);
    m_progressText->setText(QStringLiteral("Строится начальная система…"));
    setRunning(true);
    m_stop->setFocus();
    m_job->start(wanted, options);
    m_clock.start();
}

void WheelsWindow::stop() {
    m_job->stop();
    m_pdf->cancel();
}

bool WheelsWindow::running() const {
    return m_job->running() || m_pdf->running();
}

bool WheelsWindow::writingPdf() const {
    return m_pdf->running();
}

void WheelsWindow::setRunning(bool running) {
    const bool stopHadFocus = m_stop->hasFocus();
    m_build->setEnabled(!running);
    m_stop->setEnabled(running);
    const bool shown = !running && !tickets().empty();
    for (QPushButton* b : {m_saveBets, m_saveCsv, m_print, m_savePdf})
        b->setEnabled(shown);
    if (!running) {
        m_clock.stop();
        if (stopHadFocus)
            m_build->setFocus(); // rather than the next field in the chain
    }
}

void WheelsWindow::showProgress(const Wheels::GenerateProgress& progress) {
    m_bestSize = progress.bestSize;
    tick();
}

void WheelsWindow::tick() {
    const double seconds = double(m_elapsed.elapsed()) / 1000.0;
    m_progress->setValue(int(std::min<qint64>(m_elapsed.elapsed(), m_progress->maximum())));
    const QString time = QLocale().toString(seconds, 'f', 1);
    m_progressText->setText(m_bestSize > 0
                                ? QStringLiteral("Лучший размер: %1 · %2 с")
                                      .arg(WheelTexts::ticketsText(m_bestSize), time)
                                : QStringLiteral("Строится начальная система… %1 с").arg(time));
}

void WheelsWindow::showResult(const Wheels::GenerateResult& result) {
    m_ticketModel->setTickets(result.tickets);
    if (tickets().empty()) { // stopped before the first wheel was complete
        m_progress->setValue(0);
        m_progressText->clear();
        setRunning(false);
        showDone(QStringLiteral("Поиск остановлен раньше, чем была построена первая система."));
        return;
    }
    m_checkLine->setText(
        WheelTexts::checkText(result.check, int(tickets().size()), m_shownRequest));
    m_checkLine->show();
    m_method->show();
    m_recordLine->setText(WheelTexts::recordText(m_shownRequest));
    m_recordLine->setVisible(!m_recordLine->text().isEmpty());
    m_method->setText(QStringLiteral("%1. Построение: %2; %3 с.")
                          .arg(WheelTexts::requestText(m_shownRequest), result.method,
                               QLocale().toString(result.seconds, 'f', 1)));
    m_progress->setValue(m_progress->maximum());
    m_progressText->setText(QStringLiteral("Готово: ") +
                            WheelTexts::ticketsText(qsizetype(tickets().size())));
    setRunning(false);
    if (result.stopped)
        showDone(QStringLiteral("Поиск остановлен: показана лучшая найденная система."));
}

void WheelsWindow::showFailure(const QString& text) {
    m_status->setStyleSheet(QStringLiteral("color: #b00000"));
    m_status->setText(text);
    m_status->show();
}

void WheelsWindow::showDone(const QString& text) {
    m_status->setStyleSheet(QString());
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
}

void WheelsWindow::guarded(const std::function<void()>& action) {
    // A failure ends the action with its text under the buttons; it never
    // reaches the event loop.
    try {
        action();
    } catch (const std::exception& e) {
        showFailure(QString::fromUtf8(e.what()));
    }
}
