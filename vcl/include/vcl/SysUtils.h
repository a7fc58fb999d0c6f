#pragma once
// Exceptions and the runtime's string, number, file and date routines.

#include <exception>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>

#include "System.h"

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

#define VCL_EXCEPTION(Name, Base) \
    class Name : public Base {    \
    public:                       \
        using Base::Base;         \
    }

VCL_EXCEPTION(EAbort, Exception);
VCL_EXCEPTION(EConvertError, Exception);
VCL_EXCEPTION(EIntError, Exception);
VCL_EXCEPTION(ERangeError, EIntError);
VCL_EXCEPTION(EIntOverflow, EIntError);
VCL_EXCEPTION(EDivByZero, EIntError);
VCL_EXCEPTION(EMathError, Exception);
VCL_EXCEPTION(EAssertionFailed, Exception);
VCL_EXCEPTION(EOSError, Exception);
VCL_EXCEPTION(EListError, Exception);
VCL_EXCEPTION(EStringListError, EListError);
VCL_EXCEPTION(EOutOfResources, Exception);
VCL_EXCEPTION(EInvalidOperation, Exception);
VCL_EXCEPTION(EInvalidCast, Exception);
VCL_EXCEPTION(EComponentError, Exception);
VCL_EXCEPTION(EStreamError, Exception);
VCL_EXCEPTION(EFCreateError, EStreamError);
VCL_EXCEPTION(EFOpenError, EStreamError);
VCL_EXCEPTION(EReadError, EStreamError);
VCL_EXCEPTION(EWriteError, EStreamError);
VCL_EXCEPTION(EClassNotFound, Exception);
VCL_EXCEPTION(EPropertyError, Exception);
VCL_EXCEPTION(EResNotFound, Exception);
VCL_EXCEPTION(EInvalidGraphic, Exception);
VCL_EXCEPTION(EInvalidGraphicOperation, Exception);
VCL_EXCEPTION(EVariantError, Exception);
VCL_EXCEPTION(EParserError, Exception);

// Silent exception: the application's handler ignores it.
[[noreturn]] void Abort();

// Assert(cond, msg) carries the source file and line, as the compiler's Assert does.
[[noreturn]] void AssertFailed(const std::string& message, const char* file, int line);
inline std::string AssertMessage() { return {}; }
inline std::string AssertMessage(std::string message) { return message; }
#define Assert(cond, ...) ((cond) ? (void)0 : AssertFailed(AssertMessage(__VA_ARGS__), __FILE__, __LINE__))
VCL_EXCEPTION(EInOutError, Exception);

// ---------------------------------------------------------------------------
// Strings: 1-based positions, Windows-1252 bytes compared unsigned.

inline Integer Length(const AnsiString& S) { return static_cast<Integer>(S.size()); }
// Index below 1 counts as 1; Count is cut at the end of S.
AnsiString Copy(const AnsiString& S, Integer Index, Integer Count);
// Does nothing when Index lies outside 1..Length(S) or Count <= 0.
void Delete(AnsiString& S, Integer Index, Integer Count);
// Index below 1 inserts at the front, past the end appends.
void Insert(const AnsiString& Source, AnsiString& S, Integer Index);
// 0 when absent or when SubStr is empty.
Integer Pos(const AnsiString& SubStr, const AnsiString& S);
Integer PosEx(const AnsiString& SubStr, const AnsiString& S, Integer Offset = 1);
AnsiString StringOfChar(char Ch, Integer Count);

// Remove characters <= ' '.
AnsiString Trim(const AnsiString& S);
AnsiString TrimLeft(const AnsiString& S);
AnsiString TrimRight(const AnsiString& S);

// ASCII letters only.
AnsiString UpperCase(const AnsiString& S);
AnsiString LowerCase(const AnsiString& S);
// Byte difference at the first mismatch, else the length difference.
Integer CompareStr(const AnsiString& S1, const AnsiString& S2);
Integer CompareText(const AnsiString& S1, const AnsiString& S2);
bool SameText(const AnsiString& S1, const AnsiString& S2);

// Windows-1252 letters (accented Western letters, Š Œ Ž Ÿ).
char AnsiUpperChar(char C);
char AnsiLowerChar(char C);
AnsiString AnsiUpperCase(const AnsiString& S);
AnsiString AnsiLowerCase(const AnsiString& S);
// Word sort as the locale does it: letters by base letter, then accents, then case (lower first);
// '-' and '\'' weigh only when all else is equal. Results are -1, 0 or 1.
Integer AnsiCompareStr(const AnsiString& S1, const AnsiString& S2);
Integer AnsiCompareText(const AnsiString& S1, const AnsiString& S2);
bool AnsiSameText(const AnsiString& S1, const AnsiString& S2);
bool AnsiSameStr(const AnsiString& S1, const AnsiString& S2);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
AnsiString StringReplace(const AnsiString& S, const AnsiString& OldPattern, const AnsiString& NewPattern,
                         TReplaceFlags Flags);

// ---------------------------------------------------------------------------
// Numbers and text.

extern char DecimalSeparator;
extern char ThousandSeparator;
extern AnsiString CurrencyString;
extern Byte CurrencyFormat;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
extern Byte NegCurrFormat;   // 0 "($1)" .. 15, as the locale settings number them
extern Byte CurrencyDecimals;

AnsiString IntToStr(Integer Value);
AnsiString IntToStr(Int64 Value);
// Upper-case hex, at least Digits digits; negatives as two's complement of their width.
AnsiString IntToHex(Integer Value, Integer Digits);
AnsiString IntToHex(Int64 Value, Integer Digits);
// Optional blanks, sign, decimal digits or '$'/"0x" hex; EConvertError "'x' is not a valid integer value".
Integer StrToInt(const AnsiString& S);
Int64 StrToInt64(const AnsiString& S);
Integer StrToIntDef(const AnsiString& S, Integer Default);
Int64 StrToInt64Def(const AnsiString& S, Int64 Default);
bool TryStrToInt(const AnsiString& S, Integer& Value);
bool TryStrToInt64(const AnsiString& S, Int64& Value);

// Blanks around, sign, digits with DecimalSeparator, exponent; EConvertError "'x' is not a valid floating point value".
double StrToFloat(const AnsiString& S);
double StrToFloatDef(const AnsiString& S, double Default);
bool TryStrToFloat(const AnsiString& S, double& Value);

// A value as decimal digits: Digits holds up to 18 significant digits without trailing zeros
// ("" for zero), the value being 0.Digits * 10^Exponent. Not-a-number has Exponent 0x7FFF,
// infinities 0x8000 (Negative tells the sign).
struct TFloatRec {
    Integer Exponent = 0;
    bool Negative = false;
    AnsiString Digits;
};
// Rounds (half away from zero, after taking 18 significant digits) to at most Precision significant
// digits and at most Decimals digits after the point.
void FloatToDecimal(TFloatRec& Result, double Value, Integer Precision, Integer Decimals);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
AnsiString FloatToStr(double Value);  // ffGeneral, 15 digits
AnsiString FloatToStrF(double Value, TFloatFormat Format, Integer Precision, Integer Digits);
// Sections "positive;negative;zero" of 0 # . , E+ E- e+ e- and quoted literals.
AnsiString FormatFloat(const AnsiString& Format, double Value);

// One argument of Format, as the runtime's array of const holds it.
struct TVarRec {
    enum TKind { vtInteger, vtInt64, vtExtended, vtString, vtChar, vtPointer };
    TKind VType;
    Int64 VInteger = 0;
    double VExtended = 0.0;
    const char* VString = nullptr;
    std::size_t VLength = 0;
    const void* VPointer = nullptr;

    template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>) TVarRec(T Value)
        : VType(std::is_signed_v<T> && sizeof(T) <= sizeof(Integer) ? vtInteger : vtInt64),
          VInteger(static_cast<Int64>(Value)) {
        static_assert(sizeof(T) <= sizeof(Int64));
    }
    TVarRec(double Value) : VType(vtExtended), VExtended(Value) {}
    TVarRec(char Value) : VType(vtChar), VInteger(static_cast<unsigned char>(Value)) {}
    TVarRec(const AnsiString& Value) : VType(vtString), VString(Value.data()), VLength(Value.size()) {}
    TVarRec(const char* Value)
        : VType(vtString), VString(Value ? Value : ""), VLength(Value ? std::char_traits<char>::length(Value) : 0) {}
    TVarRec(const void* Value) : VType(vtPointer), VPointer(Value) {}
};

// %[index:][-][width][.prec]type with d u x e f g n m p s, '*' for width or precision, %% for '%'.
// EConvertError "Format 'x' invalid or incompatible with argument" / "No argument for format 'x'".
AnsiString Format(const AnsiString& Fmt, std::span<const TVarRec> Args);
inline AnsiString Format(const AnsiString& Fmt, std::initializer_list<TVarRec> Args) {
    return Format(Fmt, std::span<const TVarRec>(Args.begin(), Args.size()));
}

// ---------------------------------------------------------------------------
// Files and paths. Names are Windows-1252; the file system sees UTF-8. '/' delimits,
// and the Extract routines accept '\' too.

constexpr char PathDelim = '/';
bool FileExists(const AnsiString& FileName);
bool DirectoryExists(const AnsiString& Directory);
// Creates every missing folder of Dir; EInOutError "Unable to create directory" for an empty Dir.
bool ForceDirectories(const AnsiString& Dir);
bool DeleteFile(const AnsiString& FileName);
bool CreateDir(const AnsiString& Dir);
AnsiString ExtractFilePath(const AnsiString& FileName);
AnsiString ExtractFileDir(const AnsiString& FileName);
AnsiString ExtractFileName(const AnsiString& FileName);
AnsiString ExtractFileExt(const AnsiString& FileName);
AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Extension);
AnsiString IncludeTrailingPathDelimiter(const AnsiString& S);
AnsiString ExcludeTrailingPathDelimiter(const AnsiString& S);
// Absolute, with "." and ".." resolved, against the current folder.
AnsiString ExpandFileName(const AnsiString& FileName);
AnsiString GetCurrentDir();

// ---------------------------------------------------------------------------
// Text files, read a line at a time as the runtime reads them with I/O checking off: a failing call
// leaves its code for IOResult (2 not found, 3 path not found, 5 access denied, 100 read error, 103 not
// open) and reads nothing. Lines end at CR, LF or CR LF; a last line without an end counts; Ctrl-Z ends
// the text. The bytes come as they are (a UTF-8 byte-order mark stays).
class TextFile {
public:
    TextFile();
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

private:
    friend void AssignFile(TextFile& F, const AnsiString& FileName);
    friend void Reset(TextFile& F);
    friend void ReadLn(TextFile& F, AnsiString& S);
    friend bool Eof(TextFile& F);
    friend void CloseFile(TextFile& F);
    struct TState;
    std::unique_ptr<TState> state_;
};
void AssignFile(TextFile& F, const AnsiString& FileName);
// Opens the assigned file for reading, from its start again when open.
void Reset(TextFile& F);
void ReadLn(TextFile& F, AnsiString& S);
bool Eof(TextFile& F);
void CloseFile(TextFile& F);
// The code the last failing call left, cleared by the asking; 0 when none failed.
Integer IOResult();

// ---------------------------------------------------------------------------
// Dates: TDateTime counts days since 1899-12-30; the fraction is the time of day.

// The class library's US date settings, never the Linux locale's.
extern char DateSeparator;
extern AnsiString ShortDateFormat;
extern AnsiString LongDateFormat;
extern char TimeSeparator;
extern AnsiString ShortTimeFormat;
extern AnsiString LongTimeFormat;
extern AnsiString TimeAMString;
extern AnsiString TimePMString;
extern AnsiString ShortMonthNames[12];
extern AnsiString LongMonthNames[12];
extern AnsiString ShortDayNames[7];  // Sunday first
extern AnsiString LongDayNames[7];
constexpr Integer HoursPerDay = 24;
constexpr Integer MinsPerDay = HoursPerDay * 60;
constexpr Integer SecsPerDay = MinsPerDay * 60;
constexpr Integer MSecsPerDay = SecsPerDay * 1000;

bool IsLeapYear(Word Year);
// Days of Month in Year; ERangeError outside 1..12.
Word MonthDays(Word Year, Word Month);
// EConvertError "Invalid argument to date encode" / "Invalid argument to time encode".
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time);
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
// 1 = Sunday .. 7 = Saturday.
Word DayOfWeek(TDateTime Date);
TDateTime Now();
TDateTime Date();
TDateTime Time();

struct _SYSTEMTIME;  // Windows.h
TDateTime SystemTimeToDateTime(const _SYSTEMTIME& SystemTime);
void DateTimeToSystemTime(TDateTime DateTime, _SYSTEMTIME& SystemTime);
// The class library's format letters, in either case: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy
// h hh n nn s ss z zzz t tt am/pm a/p ampm, '/' and ':' for the separators, quoted literals. An 'm' right
// after an hour is minutes. EConvertError "'x' is not a valid date" for a value that is not finite or
// whose day lies outside the years 1 to 9999.
AnsiString FormatDateTime(const AnsiString& Format, TDateTime DateTime);
// The date in ShortDateFormat.
AnsiString DateToStr(TDateTime Date);
// The time in LongTimeFormat.
AnsiString TimeToStr(TDateTime Time);
// The date in ShortDateFormat, then the time in LongTimeFormat unless it is midnight.
AnsiString DateTimeToStr(TDateTime DateTime);

// Years of one or two digits read as the 100 years starting this many years before the clock's year.
extern Word TwoDigitYearCenturyWindow;
// Two or three numbers between DateSeparators, in the order ShortDateFormat names d, m and y first; two
// take the clock's year. Blanks around the parts are skipped. EConvertError "'x' is not a valid date".
TDateTime StrToDate(const AnsiString& S);
bool TryStrToDate(const AnsiString& S, TDateTime& Value);
// h:nn, then :ss and DecimalSeparator zzz as given, then AM or PM (TimeAMString / TimePMString, any
// letter case) for the hours 0 to 12. EConvertError "'x' is not a valid time".
TDateTime StrToTime(const AnsiString& S);
bool TryStrToTime(const AnsiString& S, TDateTime& Value);
// A date, a date and a time after blanks, or a time alone. EConvertError "'x' is not a valid date and time".
TDateTime StrToDateTime(const AnsiString& S);
bool TryStrToDateTime(const AnsiString& S, TDateTime& Value);
// The same day NumberOfMonths later (earlier when negative), at most the month's last; the time kept.
// EConvertError "Invalid argument to date encode" when the year leaves 1..9999.
TDateTime IncMonth(TDateTime Date, Integer NumberOfMonths = 1);
// Packed local date-times of the file system (two-second steps, years 1980..2107).
// EConvertError for a packed value that names no date.
TDateTime FileDateToDateTime(Integer FileDate);
// 0 for a date outside 1980..2107.
Integer DateTimeToFileDate(TDateTime DateTime);

// The compiler's Val: Code is 0 on success, else the 1-based position of the first character that
// does not fit (leading blanks are skipped; '.' is the decimal point whatever DecimalSeparator says).
void Val(const AnsiString& S, double& Value, Integer& Code);
void Val(const AnsiString& S, Integer& Value, Integer& Code);
void Val(const AnsiString& S, Int64& Value, Integer& Code);
