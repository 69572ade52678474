#include "gui/analysis/LabFilterPanel.h"

#include "lab/FilterText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <tuple>

LabFilterPanel::LabFilterPanel(QWidget* parent)
    : QGroupBox(QStringLiteral("Условия (пустое поле — без условия)"), parent) {
    setObjectName(QStringLiteral("LabFilter"));
    auto* grid = new QGridLayout(this);
    m_sum = addField(QStringLiteral("Сумма:"), QStringLiteral("120-180"), 0, 0);
    m_odd = addField(QStringLiteral("Нечётных:"), QStringLiteral("2-4"), 1, 0);
    m_low = addField(QStringLiteral("Малых (1-24):"), QStringLiteral("2-4"), 2, 0);
    m_maxRun = addField(QStringLiteral("Подряд не больше:"), QStringLiteral("2"), 3, 0);
    m_decadeMax = addField(QStringLiteral("В десятке не больше:"), QStringLiteral("2"), 4, 0);
    m_include = addField(QStringLiteral("Включить:"), QStringLiteral("7, 21"), 0, 2);
    m_exclude = addField(QStringLiteral("Исключить:"), QStringLiteral("13"), 1, 2);
    m_sharedMax =
        addField(QStringLiteral("Общих с последним тиражом не больше:"), QStringLiteral("1"), 2, 2);
    m_hot = addField(QStringLiteral("Горячих N:W:H:"), QStringLiteral("10:50:2"), 3, 2);
    m_cold = addField(QStringLiteral("Холодных N:W:H:"), QStringLiteral("10:50:1"), 4, 2);
    m_hot->setToolTip(QStringLiteral("Не меньше H чисел среди N самых горячих шаров последних "
                                     "W тиражей (как отмечает вкладка «Шары»)."));
    m_cold->setToolTip(QStringLiteral("Не меньше H чисел среди N самых холодных шаров последних "
                                      "W тиражей."));
    m_notDrawn = new QCheckBox(QStringLiteral("Комбинация ни разу не выпадала"), this);
    grid->addWidget(m_notDrawn, 5, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    connect(m_notDrawn, &QCheckBox::toggled, this, &LabFilterPanel::changed);
}

QLineEdit* LabFilterPanel::addField(const QString& label, const QString& hint, int row,
                                    int column) {
    auto* edit = new QLineEdit(this);
    edit->setPlaceholderText(hint);
    edit->setMaxLength(200);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(edit);
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(caption, row, column);
    grid->addWidget(edit, row, column + 1);
    connect(edit, &QLineEdit::textChanged, this, &LabFilterPanel::changed);
    return edit;
}

std::optional<Lab::Filter> LabFilterPanel::filter(QString& error) const {
    Lab::Filter filter;
    const auto given = [](const QLineEdit* edit) { return !edit->text().trimmed().isEmpty(); };
    bool ok = true;
    for (const auto& [edit, span, label] :
         {std::tuple{m_sum, &filter.sum, QStringLiteral("Сумма")},
          std::tuple{m_odd, &filter.odd, QStringLiteral("Нечётных")},
          std::tuple{m_low, &filter.low, QStringLiteral("Малых")}})
        if (ok && given(edit))
            ok = Lab::parseSpan(edit->text(), label, span->emplace(), error);
    for (const auto& [edit, value, label, least] :
         {std::tuple{m_maxRun, &filter.maxRun, QStringLiteral("Подряд"), 1},
          std::tuple{m_decadeMax, &filter.decadeMax, QStringLiteral("В десятке"), 0},
          std::tuple{m_sharedMax, &filter.sharedWithLastMax, QStringLiteral("Общих с последним"),
                     0}})
        if (ok && given(edit))
            ok = Lab::parseCount(edit->text(), label, value->emplace(), error, least, 6);
    if (ok && given(m_include))
        ok = Lab::parseBallList(m_include->text(), QStringLiteral("Включить"), filter.include,
                                error);
    if (ok && given(m_exclude))
        ok = Lab::parseBallList(m_exclude->text(), QStringLiteral("Исключить"), filter.exclude,
                                error);
    for (const auto& [edit, rule, label] :
         {std::tuple{m_hot, &filter.hot, QStringLiteral("Горячих")},
          std::tuple{m_cold, &filter.cold, QStringLiteral("Холодных")}})
        if (ok && given(edit))
            ok = Lab::parseHotCold(edit->text(), label, rule->emplace(), error);
    if (!ok)
        return std::nullopt;
    filter.notDrawn = m_notDrawn->isChecked();
    error = Lab::filterProblem(filter);
    if (!error.isEmpty())
        return std::nullopt;
    return filter;
}
