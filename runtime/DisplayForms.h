#pragma once

#include <QString>
#include <QVariant>

// How data-bound controls show a value: whole numbers as digits, amounts with
// Russian digit grouping ("1 234 567"), dates as dd.MM.yyyy; null as nothing.
enum class DisplayForm { Plain, Amount, Date };

QString displayText(const QVariant& value, DisplayForm form = DisplayForm::Plain);
