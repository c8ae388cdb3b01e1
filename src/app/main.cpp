// Quorvel: booking rooms, vehicles and equipment by the time slot.

#include "app/StartUp.h"
#include "platform/ui/QuorvelApplication.h"

int main(int argc, char *argv[])
{
    TQuorvelApplication application(argc, argv);
    StartUp startUp(QApplication::arguments().mid(1));
    return startUp.Run();
}
