#include "platform/print/ProgramPrinter.h"

#include <QCoreApplication>
#include <QPrinter>

namespace {

QPrinter *printer = nullptr;

void releasePrinter()
{
    delete printer;
    printer = nullptr;
}

} // namespace

QPrinter &ProgramPrinter()
{
    if (!printer) {
        printer = new QPrinter;
        // The print engine must go before the application's platform services do.
        qAddPostRoutine(releasePrinter);
    }
    return *printer;
}
