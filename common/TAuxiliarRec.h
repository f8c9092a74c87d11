#pragma once

#include <QString>

// A row of AUXILIAR.DB: one password that unlocks editing, stored as typed.
struct TAuxiliarRec
{
    QString PasswordValue;
};
