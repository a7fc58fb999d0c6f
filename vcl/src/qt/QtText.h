#pragma once
// AnsiString (Windows-1252) <-> QString, through the stand-in's own code page table.

#include <QString>

#include "vcl/System.h"

QString ToQString(const AnsiString& S);
AnsiString FromQString(const QString& S);
