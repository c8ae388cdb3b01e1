#pragma once

#include <QString>
#include <stdexcept>

// An error of the database engine or of the engine layer's own checks. Windows let it escape to the
// application's general error report, which shows message() and abandons the operation.
class EDatabaseError : public std::runtime_error
{
public:
    explicit EDatabaseError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};
