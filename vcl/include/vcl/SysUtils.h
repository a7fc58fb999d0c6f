#pragma once
// Exceptions and the runtime's string, number, file and date routines.

#include <exception>
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

#define VCL_EXCEPTION(Name, Base)                   \
    class Name : public Base {                      \
    public:                                         \
        using Base::Base;                           \
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
#define Assert(cond, ...) \
    ((cond) ? (void)0 : AssertFailed(AssertMessage(__VA_ARGS__), __FILE__, __LINE__))
