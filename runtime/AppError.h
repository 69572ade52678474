#pragma once

#include <QString>
#include <stdexcept>

// The one exception type of the program: every failure that a handler may let
// escape carries a user-readable text (the engine's own text for database errors).
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
