#pragma once

#include <QString>

// Who is at this workstation, as the network and the operating system tell it.
namespace NetworkIdentity {

// The user name the network client left for this session (NWUSERNAME); empty when there is none.
QString NetworkClientUserName();
// The operating system's login name of the user running the program; empty when it cannot tell.
QString OperatingSystemUserName();
// The name this workstation's user is known by on the network: the network client's user name,
// or else the operating system's login name.
QString NetworkUserName();
// True when some network interface other than loopback is up.
bool NetworkPresent();

} // namespace NetworkIdentity
