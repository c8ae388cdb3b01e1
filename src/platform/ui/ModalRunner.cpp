#include "platform/ui/ModalRunner.h"

#include <QDialog>
#include <utility>

namespace {

ModalRunnerFunction &currentRunner()
{
    static ModalRunnerFunction runner;
    return runner;
}

} // namespace

int RunModal(QDialog &dialog)
{
    const ModalRunnerFunction &runner = currentRunner();
    return runner ? runner(dialog) : dialog.exec();
}

ModalRunnerFunction SetModalRunner(ModalRunnerFunction function)
{
    return std::exchange(currentRunner(), std::move(function));
}
