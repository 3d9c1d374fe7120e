#pragma once

#include <QString>

// Where the program keeps what it writes at run time (preferences, caches):
// the user's application data folder, never the data directory or anything
// below the install prefix, which may be read-only or shared by every user.
class PerUserFolder
{
public:
    // The folder, not created; empty when the system names none.
    static QString path();
};
