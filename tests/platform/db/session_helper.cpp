// A stand-in for a second running program: opens the database given on the command line,
// registers under the user name given, says "registered", then answers each "list" read from its
// input with the registered programs, one per line ("*" marks its own), and "end".

#include "platform/db/Database.h"
#include "platform/db/DatabaseLocation.h"
#include "platform/db/Sessions.h"

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: session_helper <database> <user name>\n");
        return 2;
    }
    TDatabase database(DatabaseLocation::parse(QString::fromLocal8Bit(argv[1])));
    database.Open();
    TSessions sessions(database);
    sessions.Register(QString::fromLocal8Bit(argv[2]));
    std::cout << "registered" << std::endl;
    std::string command;
    while (std::getline(std::cin, command)) {
        if (command != "list")
            continue;
        for (const TSessions::Entry &entry : sessions.Connected())
            std::cout << entry.UserName.toStdString() << (entry.Own ? " *" : "") << '\n';
        std::cout << "end" << std::endl;
    }
    return 0;
}
