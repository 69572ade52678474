#include "runtime/DisplayForms.h"

#include <QDate>
#include <QLocale>

QString displayText(const QVariant& value, DisplayForm form) {
    if (value.isNull())
        return QString();
    switch (form) {
    case DisplayForm::Amount: {
        bool ok = false;
        const double amount = value.toDouble(&ok);
        if (!ok)
            break;
        return QLocale(QLocale::Russian, QLocale::Russia).toString(amount, 'f', 0);
    }
    case DisplayForm::Date: {
        const QDate date = value.typeId() == QMetaType::QDate
                               ? value.toDate()
                               : QDate::fromString(value.toString().left(10), Qt::ISODate);
        if (date.isValid())
            return date.toString(QStringLiteral("dd.MM.yyyy"));
        break;
    }
    case DisplayForm::Plain:
        break;
    }
    if (value.typeId() == QMetaType::Double)
        return QLocale(QLocale::Russian, QLocale::Russia).toString(value.toDouble(), 'g', 15);
    return value.toString();
}
