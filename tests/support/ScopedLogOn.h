#pragma once

#include "data/ProgramConst.h"

// The process-wide records a test runs under: who is logged on, with which rights, under which
// settings. They are set for as long as the object lives and put back as they were when it goes, so
// that no test leaves its log-on to the next one. Designated initialisers keep a test's needs short:
//
//     ScopedLogOn me({.UserID = "ME", .SecurityID = 1, .UserName = "Me Myself"},
//                    {.CanAddSchedule = true}, {.TimeInterval = 30});
class ScopedLogOn
{
public:
    explicit ScopedLogOn(const TLoginData &user, const TSecurityData &rights = TSecurityData(),
                         const TSystemInfo &settings = TSystemInfo())
        : m_user(CurrentUser), m_rights(CurrentSecurity), m_settings(SystemSettings)
    {
        CurrentUser = user;
        CurrentSecurity = rights;
        SystemSettings = settings;
    }
    ~ScopedLogOn()
    {
        CurrentUser = m_user;
        CurrentSecurity = m_rights;
        SystemSettings = m_settings;
    }
    ScopedLogOn(const ScopedLogOn &) = delete;
    ScopedLogOn &operator=(const ScopedLogOn &) = delete;

private:
    TLoginData m_user;
    TSecurityData m_rights;
    TSystemInfo m_settings;
};
