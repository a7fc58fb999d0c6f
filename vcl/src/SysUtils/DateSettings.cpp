// The date settings of the class library's US defaults.
#include "vcl/SysUtils.h"

char DateSeparator = '/';
AnsiString ShortDateFormat = "m/d/yyyy";
