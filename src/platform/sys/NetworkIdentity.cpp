#include "platform/sys/NetworkIdentity.h"

#include <QProcessEnvironment>

#include <ifaddrs.h>
#include <net/if.h>
#include <pwd.h>
#include <unistd.h>

namespace NetworkIdentity {

QString NetworkClientUserName()
{
    return qEnvironmentVariable("NWUSERNAME");
}

QString OperatingSystemUserName()
{
    if (const passwd *entry = getpwuid(getuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    // A user without a password-file entry (a container, a deleted account) still has LOGNAME.
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    return environment.value(QStringLiteral("LOGNAME"), environment.value(QStringLiteral("USER")));
}

QString NetworkUserName()
{
    const QString networkClientName = NetworkClientUserName();
    return networkClientName.isEmpty() ? OperatingSystemUserName() : networkClientName;
}

bool NetworkPresent()
{
    ifaddrs *interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0)
        return false;
    bool present = false;
    for (const ifaddrs *i = interfaces; i && !present; i = i->ifa_next)
        present = (i->ifa_flags & IFF_UP) && !(i->ifa_flags & IFF_LOOPBACK);
    freeifaddrs(interfaces);
    return present;
}

} // namespace NetworkIdentity
