#include "platform/ui/Handlers.h"

#include "platform/ui/QuorvelApplication.h"

#include <exception>

void RunHandler(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const std::exception &error) {
        ReportError(error);
    }
}
