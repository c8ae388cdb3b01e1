#pragma once

#include <QString>
#include <stdexcept>

// A failure of the printer or of a page image file. Like an engine error it is left to reach the
// application's general error report, which shows the message and abandons the job.
class EPrintError : public std::runtime_error
{
public:
    explicit EPrintError(const QString &message) : std::runtime_error(message.toStdString()) {}
};
