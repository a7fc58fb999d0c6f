#pragma once
// AnsiString (Windows-1252) <-> QString, through the stand-in's own code page table.

#include <string_view>

#include <QString>

#include "vcl/Graphics.h"
#include "vcl/System.h"

QString ToQString(std::string_view S);
AnsiString FromQString(const QString& S);

// A face named "Symbol" (in any letter case) takes its bytes in the Symbol encoding.
bool IsSymbolFace(const AnsiString& FaceName);
char16_t SymbolCharacter(unsigned char Byte);
// The characters Text shows in Font: the Symbol encoding for a Symbol face, Windows-1252 otherwise.
QString FontText(const TFontDesc& Font, const AnsiString& Text);
