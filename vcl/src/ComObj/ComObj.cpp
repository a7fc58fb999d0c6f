// Automation objects by ProgID, and calls by member name.
#include "vcl/ComObj.h"

#include <map>
#include <vector>

#include "ComObj/SpreadsheetServer.h"

namespace {

struct TCaselessLess {
    bool operator()(const AnsiString& A, const AnsiString& B) const { return CompareText(A, B) < 0; }
};
using TServers = std::map<AnsiString, TOleServerFactory, TCaselessLess>;

// The servers the platform comes with, then whatever was registered.
TServers& Servers() {
    static TServers servers{{"excel.application", &CreateSpreadsheetServer}};
    return servers;
}

}  // namespace

Variant OleInvoke(const Variant& Object, const AnsiString& Name, std::initializer_list<Variant> Args,
                  std::initializer_list<TNamedParam> NamedArgs) {
    return Object.Dispatch().Invoke(Name, std::span(Args.begin(), Args.size()),
                                    std::span(NamedArgs.begin(), NamedArgs.size()));
}

void OleUnknownMember(const AnsiString& Name) {
    throw EOleError("Method '" + Name + "' not supported by automation object");
}

void OleCheckArgs(const AnsiString& Name, std::span<const Variant> Args, std::size_t Count) {
    if (Args.size() != Count) throw EOleError("Invalid number of parameters for '" + Name + "'");
}

Variant CreateOleObject(const AnsiString& ClassName) {
    const auto found = Servers().find(ClassName);
    if (found == Servers().end()) throw EOleSysError("Invalid class string", CO_E_CLASSSTRING);
    return Variant(found->second());
}

TOleServerFactory RegisterOleServer(const AnsiString& ProgID, TOleServerFactory Factory) {
    TServers& servers = Servers();
    const auto found = servers.find(ProgID);
    TOleServerFactory previous = found != servers.end() ? found->second : TOleServerFactory();
    if (Factory) servers[ProgID] = std::move(Factory);
    else if (found != servers.end()) servers.erase(found);
    return previous;
}
