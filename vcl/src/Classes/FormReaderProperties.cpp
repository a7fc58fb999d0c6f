// Published properties set by name and read in table order, shared by the readers, the writer and
// collection values.
#include "Classes/FormReaderProperties.h"

void SetPublishedProperty(TObject& Instance, const std::string& Path, const TFormValue& Value, TReadContext& Context) {
    TObject* target = &Instance;
    std::size_t start = 0;
    for (;;) {
        std::size_t dot = Path.find('.', start);
        std::string name = Path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        const TPropertyInfo* property = target->ClassType()->FindProperty(name);
        if (!property) throw EReadError("Property " + name + " does not exist");
        if (dot == std::string::npos) {
            if (!property->Write) throw EReadError("Property " + name + " is read-only");
            return property->Write(*target, Value, Context);
        }
        TPersistent* sub = property->SubObject ? property->SubObject(*target) : nullptr;
        if (!sub) throw EReadError("Property " + name + " has no sub-properties");
        target = sub;
        start = dot + 1;
    }
}

namespace {

// Sub-objects of sub-objects are rare; a cycle through them must not recurse for ever.
constexpr int kMaxSubObjectDepth = 16;

void AddPublishedValues(TObject& Instance, const std::string& Prefix, int Depth,
                        std::vector<std::pair<std::string, TFormValue>>& Values) {
    if (Depth > kMaxSubObjectDepth) throw EWriteError("Objects nested too deeply");
    TClass cls = Instance.ClassType();
    for (const TPropertyInfo* property : cls->Properties()) {
        if (cls->FindProperty(property->Name) != property) continue;  // redeclared below
        if (property->Read) {
            Values.emplace_back(Prefix + property->Name, property->Read(Instance));
        } else if (property->SubObject) {
            if (TPersistent* sub = property->SubObject(Instance))
                AddPublishedValues(*sub, Prefix + property->Name + ".", Depth + 1, Values);
        }
    }
}

}  // namespace

std::vector<std::pair<std::string, TFormValue>> PublishedValues(TObject& Instance) {
    std::vector<std::pair<std::string, TFormValue>> values;
    AddPublishedValues(Instance, "", 0, values);
    return values;
}
