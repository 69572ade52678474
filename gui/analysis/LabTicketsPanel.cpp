#include "gui/analysis/LabTicketsPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The most tickets one save or one set of bets takes from the filter.
constexpr int kMaxTickets = 100000;

} // namespace

LabTicketsPanel::LabTicketsPanel(QWidget* parent)
    : QWidget(parent), m_limit(new QSpinBox(this)), m_draw(new QLineEdit(this)),
      m_sampleButton(new QPushButton(QStringLiteral("Пример"), this)),
      m_saveButton(new QPushButton(QStringLiteral("Сохранить билеты (CSV)…"), this)),
      m_betsButton(new QPushButton(QStringLiteral("В ставки на тираж"), this)),
      m_sample(new QLabel(this)) {
    setObjectName(QStringLiteral("LabTickets"));
    m_limit->setRange(1, kMaxTickets);
    m_limit->setValue(1000);
    m_limit->setGroupSeparatorShown(true);
    m_draw->setPlaceholderText(QStringLiteral("номер"));
    m_draw->setMaximumWidth(80);
    m_sample->setWordWrap(true);
    m_sample->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QPushButton* button : {m_sampleButton, m_saveButton, m_betsButton})
        button->setAutoDefault(false);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_sampleButton);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Первые"), this));
    row->addWidget(m_limit);
    row->addWidget(new QLabel(QStringLiteral("билетов:"), this));
    row->addWidget(m_saveButton);
    row->addWidget(m_betsButton);
    row->addWidget(m_draw);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addWidget(m_sample);
    m_sample->hide();

    connect(m_sampleButton, &QPushButton::clicked, this, &LabTicketsPanel::sampleRequested);
    connect(m_saveButton, &QPushButton::clicked, this, &LabTicketsPanel::saveRequested);
    connect(m_betsButton, &QPushButton::clicked, this, &LabTicketsPanel::betsRequested);
}

int LabTicketsPanel::limit() const {
    return m_limit->value();
}

QString LabTicketsPanel::drawNumberText() const {
    return m_draw->text().trimmed();
}

void LabTicketsPanel::showSample(const QString& text) {
    m_sample->setText(text);
    m_sample->setVisible(!text.isEmpty());
}
