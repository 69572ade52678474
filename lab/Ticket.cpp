#include "lab/Ticket.h"

#include <QStringList>

namespace Lab {

QString ticketText(const Ticket& ticket, QChar separator) {
    QString text;
    for (int ball : ticket) {
        if (!text.isEmpty())
            text += separator;
        text += QString::number(ball);
    }
    return text;
}

} // namespace Lab
