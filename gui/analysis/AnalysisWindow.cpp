#include "gui/analysis/AnalysisWindow.h"

#include "dataset/Connection.h"
#include "gui/analysis/AnalysisModel.h"
#include "gui/analysis/AnalysisSettings.h"
#include "gui/analysis/BallChart.h"
#include "gui/analysis/BallsPage.h"
#include "gui/analysis/BetsPage.h"
#include "gui/analysis/FairnessPage.h"
#include "gui/analysis/LabPage.h"
#include "gui/analysis/PairsPage.h"
#include "widgets/FileDialogs.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ScreenFit.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Анализ");

} // namespace

AnalysisWindow::AnalysisWindow(Connection& connection, MessageBoxes* boxes, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), m_connection(connection),
      m_boxes(boxes), m_ownDialogs(std::make_unique<QtFileDialogs>()),
      m_dialogs(m_ownDialogs.get()), m_source(connection), m_tabs(new QTabWidget(this)),
      m_bets(new BetsPage(this)), m_balls(new BallsPage(this)), m_pairs(new PairsPage(this)),
      m_fairness(new FairnessPage(this)), m_lab(new LabPage(connection, this)),
      m_error(new QLabel(this)),
      m_saveTable(new QPushButton(QStringLiteral("Сохранить таблицу (CSV)…"), this)),
      m_saveChart(new QPushButton(QStringLiteral("Сохранить диаграмму (PNG)…"), this)) {
    setObjectName(QStringLiteral("AnalysisForm"));
    setWindowTitle(kCaption);
    // Closing the main window ends the program even while this one is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(900, 720);

    m_tabs->addTab(m_bets, QStringLiteral("Мои ставки"));
    m_tabs->addTab(m_balls, QStringLiteral("Шары"));
    m_tabs->addTab(m_pairs, QStringLiteral("Пары"));
    m_tabs->addTab(m_fairness, QStringLiteral("Случайность"));
    m_tabs->addTab(m_lab, QStringLiteral("Лаборатория"));
    Q_ASSERT(m_tabs->count() == kPageCount);
    m_error->setObjectName(QStringLiteral("AnalysisError"));
    m_error->setStyleSheet(QStringLiteral("color: #b00000"));
    m_error->setWordWrap(true);
    m_error->hide();
    for (QPushButton* b : {m_saveTable, m_saveChart})
        b->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_error, 1);
    bottom->addStretch(0); // keeps the buttons at their size while no error is shown
    bottom->addWidget(m_saveTable);
    bottom->addWidget(m_saveChart);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(bottom);

    connect(m_tabs, &QTabWidget::currentChanged, this, &AnalysisWindow::tabChanged);
    for (int i = 0; i < m_tabs->count(); ++i)
        connect(page(i), &AnalysisPage::optionsChanged, this, [this, i] { computePage(i); });
    connect(m_saveTable, &QPushButton::clicked, this,
            [this] { guarded(&AnalysisWindow::saveTable); });
    connect(m_saveChart, &QPushButton::clicked, this,
            [this] { guarded(&AnalysisWindow::saveChart); });
    // Esc closes the window, as it closes a dialog.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    m_watch.setInterval(kWatchMilliseconds);
    connect(&m_watch, &QTimer::timeout, this, &AnalysisWindow::refresh);
    m_lab->setFileDialogs(m_dialogs);
    tabChanged(m_tabs->currentIndex());
}

AnalysisWindow::~AnalysisWindow() {
    if (isVisible()) // the program ends with the window open
        AnalysisSettings::setWindowGeometry(saveGeometry());
}

bool AnalysisWindow::restoreSavedPlace() {
    const QByteArray geometry = AnalysisSettings::windowGeometry();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        return false;
    // Kept on a larger screen, or lower down: brought back onto this one.
    if (!ScreenFit::onScreen(this))
        ScreenFit::place(this, pos());
    return true;
}

void AnalysisWindow::setFileDialogs(FileDialogs* dialogs) {
    m_dialogs = dialogs ? dialogs : m_ownDialogs.get();
    m_lab->setFileDialogs(m_dialogs);
}

AnalysisPage* AnalysisWindow::page(int index) const {
    return static_cast<AnalysisPage*>(m_tabs->widget(index));
}

void AnalysisWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    m_watch.start();
}

void AnalysisWindow::hideEvent(QHideEvent* event) {
    m_watch.stop();
    AnalysisSettings::setWindowGeometry(saveGeometry());
    QWidget::hideEvent(event);
}

void AnalysisWindow::refresh() {
    try {
        if (!m_connection.isOpen()) {
            showFailure(QStringLiteral("База данных не открыта."));
            return;
        }
        // An import in progress: the new draws are read once it has ended.
        if (m_connection.inTransaction())
            return;
        const Connection::ChangeStamp stamp = m_connection.changeStamp();
        if (stamp != m_stamp) {
            m_stamp = stamp;
            m_source.forget();
            m_stale.fill(true);
        }
    } catch (const std::exception& e) {
        showFailure(QString::fromUtf8(e.what()));
        return;
    }
    const int shown = m_tabs->currentIndex();
    if (m_stale[size_t(shown)])
        computePage(shown);
}

void AnalysisWindow::computePage(int index) {
    // Marked done first: a failing read is not tried again until the data changes.
    m_stale[size_t(index)] = false;
    try {
        page(index)->recompute(m_source);
        m_error->hide();
    } catch (const std::exception& e) {
        showFailure(QStringLiteral("Не удалось прочитать данные: ") + QString::fromUtf8(e.what()));
    }
}

void AnalysisWindow::tabChanged(int index) {
    m_saveChart->setEnabled(page(index)->chartView() != nullptr);
    if (isVisible())
        refresh();
}

void AnalysisWindow::guarded(void (AnalysisWindow::*action)()) {
    // A failure ends the action with its text under the tabs; it never
    // reaches the event loop.
    try {
        (this->*action)();
    } catch (const std::exception& e) {
        showFailure(QString::fromUtf8(e.what()));
    }
}

void AnalysisWindow::showFailure(const QString& text) {
    m_error->setText(text);
    m_error->show();
}

void AnalysisWindow::placeBeside(const QWidget* main) {
    const QRect room = ScreenFit::availableArea(main);
    const QRect beside = main->frameGeometry();
    const QSize frame = size().grownBy(ScreenFit::frameMargins(this));
    QPoint topLeft = beside.topLeft() + QPoint(40, 40); // no room: over it, shifted
    if (beside.right() + 1 + frame.width() <= room.right() + 1)
        topLeft = QPoint(beside.right() + 1, beside.top());
    else if (beside.left() - frame.width() >= room.left())
        topLeft = QPoint(beside.left() - frame.width(), beside.top());
    ScreenFit::place(this, topLeft);
}

QString AnalysisWindow::askPath(const QString& caption, const QString& name,
                                const QString& filter) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return m_dialogs->saveFileName(this, caption, QDir(folder).filePath(name), filter);
}

bool AnalysisWindow::writeFile(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && write(file) && file.commit())
        return true;
    BoxRequest box;
    box.owner = this;
    box.caption = kCaption;
    box.icon = BoxIcon::Error;
    box.text = QStringLiteral("Не удалось сохранить файл «%1»: %2")
                   .arg(QDir::toNativeSeparators(path), file.errorString());
    m_boxes->show(box);
    return false;
}

void AnalysisWindow::saveTable() {
    const AnalysisPage* shown = page(m_tabs->currentIndex());
    const QString path = askPath(QStringLiteral("Сохранить таблицу"), shown->exportName(),
                                 QStringLiteral("Таблица CSV (*.csv)"));
    if (path.isEmpty())
        return;
    const QByteArray text = Analysis::toCsv(shown->exportTable(), shownOrder(shown->tableView()));
    writeFile(path, [&](QIODevice& file) { return file.write(text) == text.size(); });
}

void AnalysisWindow::saveChart() {
    QWidget* chart = page(m_tabs->currentIndex())->chartView();
    if (!chart)
        return;
    const QString path =
        askPath(QStringLiteral("Сохранить диаграмму"), QStringLiteral("диаграмма.png"),
                QStringLiteral("Рисунок PNG (*.png)"));
    if (path.isEmpty())
        return;
    const QPixmap picture = chart->grab();
    writeFile(path, [&](QIODevice& file) { return picture.save(&file, "PNG"); });
}
