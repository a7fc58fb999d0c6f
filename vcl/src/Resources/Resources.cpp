// The process-wide list of resource tables.
#include <vector>

#include "vcl/Classes.h"
#include "vcl/Resources.h"

namespace {
std::vector<const TResourceEntry*>& Tables() {
    static std::vector<const TResourceEntry*> tables;
    return tables;
}
}  // namespace

void RegisterResources(const TResourceEntry* Table) {
    if (Table) Tables().push_back(Table);
}

const TResourceEntry* FindResourceEntry(std::string_view Name, std::string_view Type) {
    auto& tables = Tables();
    for (auto t = tables.rbegin(); t != tables.rend(); ++t)
        for (const TResourceEntry* e = *t; e->Name; ++e)
            if (SameIdent(e->Name, Name) && SameIdent(e->Type, Type)) return e;
    return nullptr;
}
