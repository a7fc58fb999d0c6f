// Reading a form description into an existing root: components created by class name, fields
// bound, properties set, references fixed up, then Loaded; a failed reading leaves nothing behind.
#include <algorithm>

#include "Classes/FormParser.h"
#include "Classes/FormReaderProperties.h"
#include "vcl/Resources.h"

namespace {

class TFormReader {
public:
    explicit TFormReader(TComponent& root) : root_(root) { context_.Root = &root; }

    void Read(const TFormObject& top) {
        CheckRootClass(top);
        rootName_ = top.Name.empty() ? root_.Name() : top.Name;
        SetLoading(root_, true);
        try {
            if (!top.Name.empty()) Guarded(rootName_, top.Line, [&] { root_.SetName(top.Name); });
            ReadBody(root_, top, rootName_);
            for (auto& fixup : context_.Fixups) fixup();
            for (TComponent* c : loaded_) c->SetComponentStateItem(csReading, false);
            root_.SetComponentStateItem(csReading, false);
            for (TComponent* c : loaded_) c->Loaded();
            root_.Loaded();
        } catch (...) {
            Undo();
            throw;
        }
    }

private:
    [[noreturn]] static void Fail(const std::string& where, const std::string& reason, int line) {
        throw EReadError("Error reading " + where + ": " + reason + " (line " + std::to_string(line) + ")");
    }

    // Runs Step; any error it raises is reported at Where and Line.
    template <typename F>
    static void Guarded(const std::string& where, int line, F&& step) {
        try {
            step();
        } catch (const EPropertyPathError& e) {
            Fail(where + e.Path, e.Reason, e.Line);
        } catch (const Exception& e) {
            Fail(where, e.Message(), line);
        }
    }

    void CheckRootClass(const TFormObject& top) const {
        for (TClass c = root_.ClassType(); c; c = c->Parent)
            if (SameIdent(c->Name, top.ClassName)) return;
        Fail(top.Name.empty() ? top.ClassName : top.Name,
             "Class " + top.ClassName + " does not match the root's class " + root_.ClassName(), top.Line);
    }

    static void SetLoading(TComponent& c, bool on) {
        c.SetComponentStateItem(csLoading, on);
        c.SetComponentStateItem(csReading, on);
    }

    void ReadBody(TComponent& target, const TFormObject& object, const std::string& where) {
        for (const TFormProperty& property : object.Properties) {
            std::string propertyWhere = where + "." + property.Name;
            std::size_t firstNew = context_.Fixups.size();
            Guarded(propertyWhere, property.Line,
                    [&] { SetPublishedProperty(target, property.Name, property.Value, context_); });
            // A reference resolved later still reports where it was written.
            for (std::size_t i = firstNew; i < context_.Fixups.size(); ++i)
                context_.Fixups[i] = [fixup = std::move(context_.Fixups[i]), propertyWhere, line = property.Line] {
                    Guarded(propertyWhere, line, fixup);
                };
        }
        for (const TFormObject& child : object.Children) ReadChild(target, child);
    }

    void ReadChild(TComponent& parent, const TFormObject& child) {
        std::string where = rootName_ + "." + (child.Name.empty() ? child.ClassName : child.Name);
        TClass cls = GetClass(child.ClassName);
        if (!cls) Fail(where, "Class " + child.ClassName + " not found", child.Line);
        TComponent* component = Inherited(child, cls);
        if (!component) {
            if (!cls->Create) Fail(where, "Class " + child.ClassName + " cannot be created", child.Line);
            Guarded(where, child.Line, [&] { component = cls->Create(&root_); });
            if (!component) Fail(where, "Class " + child.ClassName + " cannot be created", child.Line);
            created_.push_back(component);
            if (component->Owner() != &root_) Guarded(where, child.Line, [&] { root_.InsertComponent(component); });
            SetLoading(*component, true);
            Guarded(where, child.Line, [&] {
                component->SetName(child.Name);
                BindField(*component, child);
                component->SetParentComponent(&parent);
            });
        }
        loaded_.push_back(component);
        ReadBody(*component, child, where);
    }

    // An inherited (or inline) child the root already has is read into, not created again.
    TComponent* Inherited(const TFormObject& child, TClass cls) {
        if (child.Kind == TFormObject::okObject || child.Name.empty()) return nullptr;
        TComponent* existing = root_.FindComponent(child.Name);
        if (!existing || !existing->InheritsFrom(cls)) return nullptr;
        if (std::find(loaded_.begin(), loaded_.end(), existing) != loaded_.end()) return nullptr;
        SetLoading(*existing, true);
        return existing;
    }

    void BindField(TComponent& component, const TFormObject& child) {
        if (child.Name.empty()) return;
        const TFieldInfo* field = root_.ClassType()->FindField(child.Name);
        if (field && !field->Assign(root_, &component))
            throw EReadError("Field " + child.Name + " of " + root_.ClassName() + " is not a " + child.ClassName);
    }

    // Frees what this reading created, newest first; the root's fields they filled are cleared on the way.
    void Undo() noexcept {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
            bool alive = false;
            for (Integer i = 0; i < root_.ComponentCount() && !alive; ++i) alive = root_.Components(i) == *it;
            if (alive) (*it)->Free();
        }
        for (TComponent* c : loaded_)
            if (std::find(created_.begin(), created_.end(), c) == created_.end()) SetLoading(*c, false);
        SetLoading(root_, false);
    }

    TComponent& root_;
    TReadContext context_;
    std::string rootName_;
    std::vector<TComponent*> created_;  // by this reading, in creation order
    std::vector<TComponent*> loaded_;   // created or read into, in reading order
};

}  // namespace

void ReadFormObject(const TFormObject& Top, TComponent* Root) {
    if (!Root) throw EReadError("No component to read into");
    TFormReader(*Root).Read(Top);
}

void ReadComponentFromText(const std::string& Text, TComponent* Root) {
    if (!Root) throw EReadError("No component to read into");
    ReadFormObject(ParseFormText(Text), Root);
}

void ReadComponentRes(const AnsiString& ResName, TComponent* Root) {
    const TResourceEntry* entry = FindResourceEntry(ResName, "DFM");
    if (!entry) throw EResNotFound("Resource " + ResName + " not found");
    ReadComponentFromText(std::string(reinterpret_cast<const char*>(entry->Data), entry->Size), Root);
}
