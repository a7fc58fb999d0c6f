#pragma once
// Automation: objects made by ProgID from the servers the platform offers, called by member name with
// positional and named arguments. A server registers under its ProgID; the platform comes with
// "excel.application", a reader of .xls workbooks (the first sheet active, values as numbers, dates and
// text).

#include <functional>
#include <initializer_list>
#include <memory>
#include <span>

#include "SysUtils.h"
#include "Windows.h"

constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009);
constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3);

// A named argument of a call.
struct TNamedParam {
    AnsiString Name;
    Variant Value;
};

// An automation object. A property read is a call without arguments; names match whatever their case.
class IDispatch {
public:
    IDispatch() = default;
    IDispatch(const IDispatch&) = delete;
    IDispatch& operator=(const IDispatch&) = delete;
    virtual ~IDispatch() = default;
    // EOleError for a member the object does not have or arguments it cannot take.
    virtual Variant Invoke(const AnsiString& Name, std::span<const Variant> Args,
                           std::span<const TNamedParam> NamedArgs) = 0;
};

VCL_EXCEPTION(EOleError, Exception);
class EOleSysError : public EOleError {
public:
    EOleSysError(std::string Message, HRESULT ErrorCode) : EOleError(std::move(Message)), errorCode_(ErrorCode) {}
    HRESULT ErrorCode() const { return errorCode_; }

private:
    HRESULT errorCode_;
};
// An error the server reports (DISP_E_EXCEPTION).
class EOleException : public EOleSysError {
public:
    explicit EOleException(std::string Message) : EOleSysError(std::move(Message), DISP_E_EXCEPTION) {}
};

// Member Name of the object Object holds; EVariantError when it holds none.
Variant OleInvoke(const Variant& Object, const AnsiString& Name, std::initializer_list<Variant> Args = {},
                  std::initializer_list<TNamedParam> NamedArgs = {});
// For servers: the error a member they do not have gives, and their check of the positional arguments.
[[noreturn]] void OleUnknownMember(const AnsiString& Name);
void OleCheckArgs(const AnsiString& Name, std::span<const Variant> Args, std::size_t Count);

// A new object of the server registered for ClassName; EOleSysError "Invalid class string" for none.
Variant CreateOleObject(const AnsiString& ClassName);
using TOleServerFactory = std::function<std::shared_ptr<IDispatch>()>;
// Registers Factory for ProgID (matched whatever its case; an empty factory removes it) and gives back the
// one it replaces.
TOleServerFactory RegisterOleServer(const AnsiString& ProgID, TOleServerFactory Factory);
