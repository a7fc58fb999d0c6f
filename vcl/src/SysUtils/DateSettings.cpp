// The date settings of the class library's US defaults.
#include "vcl/SysUtils.h"

char DateSeparator = '/';
AnsiString ShortDateFormat = "m/d/yyyy";
AnsiString LongDateFormat = "dddd, mmmm dd, yyyy";
char TimeSeparator = ':';
AnsiString ShortTimeFormat = "h:nn AMPM";
AnsiString LongTimeFormat = "h:nn:ss AMPM";
AnsiString TimeAMString = "AM";
AnsiString TimePMString = "PM";
AnsiString ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
AnsiString LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
AnsiString ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
AnsiString LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
