// The runtime's error raising for range, overflow and assertion checks.
#include "vcl/SysUtils.h"

void RaiseRangeError() { throw ERangeError("Range check error"); }
void RaiseIntOverflow() { throw EIntOverflow("Integer overflow"); }
void Abort() { throw EAbort("Operation aborted"); }

void AssertFailed(const std::string& message, const char* file, int line) {
    std::string text = message.empty() ? std::string("Assertion failed") : message;
    throw EAssertionFailed(text + " (" + file + ", line " + std::to_string(line) + ")");
}
