// Published properties set by name, shared by the reader and collection values.
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
