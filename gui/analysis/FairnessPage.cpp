#include "gui/analysis/FairnessPage.h"

#include "analysis/FairnessText.h"
#include "gui/analysis/AnalysisModel.h"
#include "gui/analysis/AnalysisRows.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// What the bars count, under and beside the chart of each test.
std::pair<QString, QString> axisTitles(const QString& name) {
    if (name == QLatin1String("pairs"))
        return {QStringLiteral("Сколько раз выпала пара"), QStringLiteral("Пар")};
    if (name == QLatin1String("gaps"))
        return {QStringLiteral("Промежуток между выпадениями шара, тиражей"),
                QStringLiteral("Промежутков")};
    return {QStringLiteral("Шар"), QStringLiteral("Выпадений")};
}

AnalysisCell figureCell(double value, int decimals) {
    if (!std::isfinite(value))
        return {QString(), QVariant()};
    return {QLocale().toString(value, 'f', decimals), value};
}

std::vector<AnalysisRow> fairnessRows(const Analysis::FairnessReport& report) {
    std::vector<AnalysisRow> rows;
    for (const Analysis::FairnessTest& test : report.tests) {
        AnalysisRow row;
        // Degrees of freedom only where the law is a χ² with them: the pairs'
        // law and the simulated ones are named in the method.
        row.cells = {{Analysis::fairnessTitle(test.name), test.name},
                     {Analysis::fairnessVerdict(test, report.testsRun), QVariant()},
                     figureCell(test.statistic, 2),
                     test.available && test.df > 0 ? AnalysisCell{QString::number(test.df), test.df}
                                                   : AnalysisCell{QString(), QVariant()},
                     {test.available ? Analysis::formatPValue(test.pValue) : QString(),
                      test.available ? QVariant(test.pValue) : QVariant()},
                     {test.method, QVariant()}};
        if (test.available && test.adjustedPValue < Analysis::kFairnessAlpha)
            row.background = AnalysisRows::kHotColour;
        row.toolTip = test.method;
        rows.push_back(std::move(row));
    }
    return rows;
}

QStringList fairnessHeader() {
    return {QStringLiteral("Проверка"),   QStringLiteral("Вывод"),
            QStringLiteral("Статистика"), QStringLiteral("Степени свободы"),
            QStringLiteral("p"),          QStringLiteral("Метод")};
}

} // namespace

FairnessPage::FairnessPage(QWidget* parent)
    : AnalysisPage(parent), m_lastN(createLastNBox(0, this)), m_summary(new QLabel(this)),
      m_chartView(new QChartView(this)), m_series(new QBarSeries), m_axisX(new QCategoryAxis),
      m_axisY(new QValueAxis) {
    setObjectName(QStringLiteral("FairnessPage"));
    m_lastN->setObjectName(QStringLiteral("FairnessLastN"));
    m_summary->setWordWrap(true);
    model()->setRows(fairnessHeader(), {});

    auto* chart = new QChart;
    chart->addSeries(m_series);
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);
    m_series->attachAxis(m_axisX);
    m_series->attachAxis(m_axisY);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setLocalizeNumbers(true); // digit groups as the window writes them
    m_axisY->setLabelFormat(QStringLiteral("%.0f"));
    // Each label stands under its bar, level and whole; where they would
    // crowd, every second, fifth or tenth is shown.
    m_axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_axisX->setGridLineVisible(false);
    QFont small = font();
    small.setPixelSize(10);
    m_axisX->setLabelsFont(small);
    m_axisY->setLabelsFont(small);
    m_chartView->setChart(chart);
    m_chartView->setMinimumHeight(240);
    m_chartView->installEventFilter(this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Последние тиражи:"), this));
    top->addWidget(m_lastN);
    top->addSpacing(16);
    top->addWidget(m_summary, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tableView(), 1);
    layout->addWidget(m_chartView, 1);

    // The test's name and verdict in full; the method, long, takes the rest
    // (and shows whole as the row's tool tip).
    QHeaderView* header = tableView()->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(5, QHeaderView::Stretch);

    connect(m_lastN, &QComboBox::currentIndexChanged, this, &AnalysisPage::optionsChanged);
    connect(tableView()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showChart(current.row()); });
}

void FairnessPage::recompute(AnalysisSource& source) {
    m_report = Analysis::computeFairness(
        Draws::read(source.connection(), Analysis::fairnessRequest()), chosenLastN(m_lastN));
    model()->setRows(fairnessHeader(), fairnessRows(m_report));
    QString summary = Analysis::overallVerdict(m_report) +
                      QStringLiteral("\nУчтено тиражей: %1").arg(m_report.draws);
    if (m_report.irregular > 0)
        summary += QStringLiteral("; неправильных, не учтены: %1").arg(m_report.irregular);
    if (m_report.duplicates > 0)
        summary +=
            QStringLiteral("; повторов номера тиража, учтён первый: %1").arg(m_report.duplicates);
    summary += QStringLiteral("; с порядком выпадения: %1. Уровень значимости 0,05.")
                   .arg(m_report.ordered);
    m_summary->setText(summary);
    const int row = tableView()->currentIndex().isValid() ? tableView()->currentIndex().row() : 0;
    showChart(row);
}

void FairnessPage::showChart(int row) {
    m_series->clear();
    m_shownRow = row >= 0 && row < int(m_report.tests.size()) ? row : -1;
    if (m_shownRow < 0) {
        labelAxis();
        return;
    }
    const Analysis::FairnessTest& test = m_report.tests[size_t(row)];
    const Analysis::FairnessChart& data = test.chart;
    auto* observed = new QBarSet(QStringLiteral("Наблюдалось"));
    auto* expected = new QBarSet(QStringLiteral("Ожидалось"));
    double top = 0;
    for (size_t i = 0; i < data.observed.size() && i < data.expected.size(); ++i) {
        observed->append(data.observed[i]);
        expected->append(data.expected[i]);
        top = std::max({top, data.observed[i], data.expected[i]});
    }
    m_series->append(observed);
    m_series->append(expected);
    m_axisY->setRange(0, top > 0 ? top * 1.1 : 1);
    m_axisY->applyNiceNumbers();
    const auto [across, up] = axisTitles(test.name);
    m_axisX->setTitleText(across);
    m_axisY->setTitleText(up);
    m_chartView->chart()->setTitle(Analysis::fairnessTitle(test.name));
    labelAxis();
}

void FairnessPage::labelAxis() {
    for (const QString& label : m_axisX->categoriesLabels())
        m_axisX->remove(label);
    if (m_shownRow < 0)
        return;
    const QStringList& labels = m_report.tests[size_t(m_shownRow)].chart.labels;
    const int count = int(labels.size());
    m_axisX->setRange(-0.5, count - 0.5);
    // As many labels as stand side by side with a blank between them.
    const QFontMetrics metrics(m_axisX->labelsFont());
    int widest = 1;
    for (const QString& label : labels)
        widest = std::max(widest, metrics.horizontalAdvance(label + QStringLiteral("  ")));
    // The plot takes the view less the value axis and the margins.
    const qreal room = m_chartView->width() - 100;
    const qreal perBar = count > 0 && room > 0 ? room / count : widest;
    int step = 1;
    for (const int candidate : {1, 2, 5, 10, 20, 50})
        if ((step = candidate) * perBar >= widest)
            break;
    // Balls are numbered from 1: every fifth is 5, 10, 15 ...; classes from the first.
    const int first = step > 1 && labels.value(0) == QLatin1String("1") ? step - 1 : 0;
    for (int i = first; i < count; i += step)
        m_axisX->append(labels.at(i), i);
}

QWidget* FairnessPage::chartView() const {
    return m_chartView;
}

QStringList FairnessPage::shownLabels() const {
    return m_axisX->categoriesLabels();
}

bool FairnessPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_chartView && event->type() == QEvent::Resize)
        labelAxis(); // the room under the bars changed
    return AnalysisPage::eventFilter(watched, event);
}

Analysis::TextTable FairnessPage::exportTable() const {
    return Analysis::fairnessTable(m_report);
}
