#pragma once
// Object model (class references, published tables, components), lists, streams, form descriptions.

#include <any>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "SysUtils.h"
#include "System.h"

class TObject;
class TPersistent;
class TComponent;
struct TClassInfo;
class TPublisher;

// A class reference (TClass / TComponentClass): one static descriptor per class.
using TClass = const TClassInfo*;
using TComponentClass = TClass;

// ---------------------------------------------------------------------------
// Values as they stand in a form description, and the state of one reading.

struct TFormValue {
    enum TKind { vaInt, vaFloat, vaString, vaIdent, vaFalse, vaTrue, vaNil, vaSet, vaList, vaBinary, vaCollection };
    using TItem = std::vector<std::pair<std::string, TFormValue>>;  // one collection item: Prop = value lines

    TKind Kind = vaNil;
    Int64 Int = 0;
    double Float = 0.0;
    std::string Str;                 // vaString (Windows-1252 bytes), vaIdent, vaBinary (raw bytes)
    std::vector<std::string> Set;    // vaSet: member identifiers
    std::vector<TFormValue> List;    // vaList: ( ... ) items
    std::vector<TItem> Items;        // vaCollection: < item ... end >
    int Line = 0;

    // Conversions used by property writers; each raises EReadError("Invalid property value") on a mismatch.
    Int64 AsInteger() const;
    double AsFloat() const;
    const std::string& AsString() const;
    const std::string& AsIdent() const;
    bool AsBoolean() const;
};

struct TReadContext {
    TComponent* Root = nullptr;                  // the form (or data module) being read
    std::vector<std::function<void()>> Fixups;   // component references, resolved after the whole text is read
};

// ---------------------------------------------------------------------------
// Published tables: properties of any class, fields and handler methods of a form class.

struct TPropertyInfo {
    std::string Name;
    std::function<void(TObject&, const TFormValue&, TReadContext&)> Write;
    std::function<TFormValue(TObject&)> Read;          // empty when the property is not streamed out
    std::function<TPersistent*(TObject&)> SubObject;   // set for object properties (Font, Constraints, Lines)
};

struct TFieldInfo {
    std::string Name;
    std::function<bool(TObject& owner, TComponent* value)> Assign;  // false: the component has the wrong class
    std::function<void*(TObject& owner)> Address;                    // the field's address (a T** in disguise)
};

struct TMethodInfo {
    std::string Name;
    std::function<std::any(TObject& instance)> Bind;  // a std::function of the method's own signature
};

struct TClassTables;

struct TClassInfo {
    const char* Name;
    TClass Parent;
    TComponent* (*Create)(TComponent* owner);  // nullptr: not creatable by name
    void (*Publish)(TPublisher&);               // this class's own published entries (nullptr: none)
    mutable TClassTables* Tables = nullptr;     // built on first lookup

    bool InheritsFrom(TClass other) const;
    // Lookups are case-insensitive and search the ancestors too.
    const TPropertyInfo* FindProperty(std::string_view name) const;
    const TFieldInfo* FindField(std::string_view name) const;
    const TMethodInfo* FindMethod(std::string_view name) const;
    // Every published property, own and inherited, ancestors first.
    std::vector<const TPropertyInfo*> Properties() const;
};

class TPublisher {
public:
    explicit TPublisher(TClassTables& tables) : tables_(tables) {}
    void Property(TPropertyInfo info);
    void Field(TFieldInfo info);
    void Method(TMethodInfo info);

private:
    TClassTables& tables_;
};

// Declares the class-reference members; put first in the class body. Leaves the access public.
#define VCL_CLASS(Cls, Base)                                       \
public:                                                            \
    using inherited = Base;                                        \
    static TClass ClassInfo();                                     \
    TClass ClassType() const override { return Cls::ClassInfo(); }

// Defines the descriptor in the .cpp. Creator: VCL_CREATOR(Cls) or nullptr; PublishFn: void(TPublisher&) or nullptr.
#define VCL_IMPLEMENT_CLASS(Cls, Creator, PublishFn)                                              \
    TClass Cls::ClassInfo() {                                                                     \
        static const TClassInfo info{#Cls, Cls::inherited::ClassInfo(), Creator, PublishFn};      \
        return &info;                                                                             \
    }
#define VCL_CREATOR(Cls) [](TComponent* owner) -> TComponent* { return new Cls(owner); }

// ---------------------------------------------------------------------------

class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    static TClass ClassInfo();
    virtual TClass ClassType() const { return ClassInfo(); }
    AnsiString ClassName() const { return ClassType()->Name; }
    bool InheritsFrom(TClass cls) const { return ClassType()->InheritsFrom(cls); }

    // Runs while the object is still whole, before the destructors.
    virtual void BeforeDestruction() {}
    // Destroys the object through BeforeDestruction; use it (or FreeAndNil) rather than delete.
    void Free();
};

template <typename T>
void FreeAndNil(T*& object) {
    TObject* doomed = object;
    object = nullptr;
    if (doomed) doomed->Free();
}

class TPersistent : public TObject {
    VCL_CLASS(TPersistent, TObject)
    // Copies Source's state; raises EConvertError "Cannot assign a X to a Y" when the classes don't fit.
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
};

enum TOperation { opInsert, opRemove };
enum TComponentStateItem { csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups };
using TComponentState = TSet<TComponentStateItem>;

class TComponent : public TPersistent {
    VCL_CLASS(TComponent, TPersistent)
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    void BeforeDestruction() override;

    TComponent* Owner() const { return owner_; }
    const AnsiString& Name() const { return name_; }
    // A valid identifier, unique (case-insensitively) among the owner's components; else EComponentError.
    virtual void SetName(const AnsiString& NewName);
    Integer Tag() const { return tag_; }
    void SetTag(Integer Value) { tag_ = Value; }

    Integer ComponentCount() const { return static_cast<Integer>(components_.size()); }
    TComponent* Components(Integer Index) const;  // ERangeError outside 0..ComponentCount-1
    Integer ComponentIndex() const;
    TComponent* FindComponent(const AnsiString& AName) const;  // case-insensitive; nullptr when none

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();  // newest first
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    TComponentState ComponentState() const { return state_; }
    void SetComponentStateItem(TComponentStateItem Item, bool On);
    // Called by the reader once the whole description is read; clears csLoading.
    virtual void Loaded();

    // The owner and every component it owns hear of insertions and removals.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

    // The reader places a child inside the object that encloses it in the description (a control's Parent).
    virtual void SetParentComponent(TComponent* /*Value*/) {}
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }

protected:
    virtual void Destroying();

private:
    void ClearOwnerField();

    TComponent* owner_ = nullptr;
    AnsiString name_;
    Integer tag_ = 0;
    TComponentState state_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    bool destroyed_ = false;
};

// Class registry: classes found by name, as form descriptions name them.
void RegisterClass(TClass AClass);
void RegisterClasses(std::initializer_list<TClass> Classes);
void UnRegisterClass(TClass AClass);
TClass GetClass(const AnsiString& ClassName);   // nullptr when not registered
TClass FindClass(const AnsiString& ClassName);  // EClassNotFound "Class X not found" when not registered

// Case-insensitive identifier comparison (ASCII letters), as the language compares names.
bool SameIdent(std::string_view a, std::string_view b);

// ---------------------------------------------------------------------------
// Typed helpers for a class's publish function:
//   static void PublishTEdit(TPublisher& p) {
//       TPublishOf<TEdit> P(p);
//       P.Str("Text", &TEdit::Text, &TEdit::SetText);
//       P.Event("OnChange", &TEdit::OnChange);
//   }

[[noreturn]] void RaiseInvalidPropertyValue(const TFormValue& value);
TFormValue FormInt(Int64 value);
TFormValue FormString(std::string value);
TFormValue FormBool(bool value);
TFormValue FormIdent(std::string value);

template <typename E>
using TEnumNames = std::vector<std::pair<const char*, E>>;

template <typename C>
class TPublishOf {
public:
    explicit TPublishOf(TPublisher& publisher) : p_(publisher) {}

    template <typename G, typename S>
    void Int(const char* name, G get, S set) {
        p_.Property({name,
                     [set](TObject& o, const TFormValue& v, TReadContext&) {
                         using V = std::decay_t<std::invoke_result_t<G, C&>>;
                         std::invoke(set, Self(o), CheckedCast<V>(v.AsInteger()));
                     },
                     [get](TObject& o) { return FormInt(static_cast<Int64>(std::invoke(get, Self(o)))); },
                     {}});
    }

    // An integer that may also be written as an identifier (clRed, crHandPoint).
    template <typename G, typename S>
    void IntIdent(const char* name, G get, S set, bool (*identToInt)(const std::string&, Int64&)) {
        p_.Property({name,
                     [set, identToInt](TObject& o, const TFormValue& v, TReadContext&) {
                         using V = std::decay_t<std::invoke_result_t<G, C&>>;
                         Int64 n = 0;
                         if (v.Kind == TFormValue::vaIdent) {
                             if (!identToInt(v.Str, n)) RaiseInvalidPropertyValue(v);
                         } else {
                             n = v.AsInteger();
                         }
                         std::invoke(set, Self(o), static_cast<V>(n));
                     },
                     [get](TObject& o) { return FormInt(static_cast<Int64>(std::invoke(get, Self(o)))); },
                     {}});
    }

    template <typename G, typename S>
    void Float(const char* name, G get, S set) {
        p_.Property({name,
                     [set](TObject& o, const TFormValue& v, TReadContext&) { std::invoke(set, Self(o), v.AsFloat()); },
                     [get](TObject& o) {
                         TFormValue v;
                         v.Kind = TFormValue::vaFloat;
                         v.Float = std::invoke(get, Self(o));
                         return v;
                     },
                     {}});
    }

    template <typename G, typename S>
    void Str(const char* name, G get, S set) {
        p_.Property({name,
                     [set](TObject& o, const TFormValue& v, TReadContext&) { std::invoke(set, Self(o), v.AsString()); },
                     [get](TObject& o) { return FormString(std::invoke(get, Self(o))); },
                     {}});
    }

    template <typename G, typename S>
    void Bool(const char* name, G get, S set) {
        p_.Property({name,
                     [set](TObject& o, const TFormValue& v, TReadContext&) { std::invoke(set, Self(o), v.AsBoolean()); },
                     [get](TObject& o) { return FormBool(std::invoke(get, Self(o))); },
                     {}});
    }

    template <typename E, typename G, typename S>
    void Enum(const char* name, G get, S set, TEnumNames<E> names) {
        p_.Property({name,
                     [set, names](TObject& o, const TFormValue& v, TReadContext&) {
                         for (const auto& [ident, value] : names)
                             if (SameIdent(ident, v.AsIdent())) return (void)std::invoke(set, Self(o), value);
                         RaiseInvalidPropertyValue(v);
                     },
                     [get, names](TObject& o) {
                         E value = std::invoke(get, Self(o));
                         for (const auto& [ident, e] : names)
                             if (e == value) return FormIdent(ident);
                         return FormInt(static_cast<Int64>(value));
                     },
                     {}});
    }

    template <typename E, typename G, typename S>
    void Set(const char* name, G get, S set, TEnumNames<E> names) {
        p_.Property({name,
                     [set, names](TObject& o, const TFormValue& v, TReadContext&) {
                         if (v.Kind != TFormValue::vaSet) RaiseInvalidPropertyValue(v);
                         TSet<E> result;
                         for (const std::string& member : v.Set) {
                             bool found = false;
                             for (const auto& [ident, value] : names)
                                 if (SameIdent(ident, member)) { result.Include(value); found = true; }
                             if (!found) RaiseInvalidPropertyValue(v);
                         }
                         std::invoke(set, Self(o), result);
                     },
                     [get, names](TObject& o) {
                         TSet<E> value = std::invoke(get, Self(o));
                         TFormValue v;
                         v.Kind = TFormValue::vaSet;
                         for (const auto& [ident, e] : names)
                             if (value.Contains(e)) v.Set.push_back(ident);
                         return v;
                     },
                     {}});
    }

    // A persistent sub-object whose own properties follow as Name.Prop = value (Font.Height = -11).
    template <typename G>
    void Object(const char* name, G get) {
        p_.Property({name,
                     [](TObject&, const TFormValue& v, TReadContext&) { RaiseInvalidPropertyValue(v); },
                     {},
                     [get](TObject& o) -> TPersistent* { return std::invoke(get, Self(o)); }});
    }

    // A reference to another component by name, resolved once the whole description is read.
    template <typename T, typename S>
    void Component(const char* name, S set) {
        p_.Property({name,
                     [set](TObject& o, const TFormValue& v, TReadContext& ctx) {
                         C* self = &Self(o);
                         if (v.Kind == TFormValue::vaNil) return (void)std::invoke(set, *self, static_cast<T*>(nullptr));
                         std::string target = v.AsIdent();
                         TComponent* root = ctx.Root;
                         ctx.Fixups.push_back([self, set, target, root, v] {
                             TComponent* found = root ? root->FindComponent(target) : nullptr;
                             T* typed = dynamic_cast<T*>(found);
                             if (!typed) RaiseInvalidPropertyValue(v);
                             std::invoke(set, *self, typed);
                         });
                     },
                     {},
                     {}});
    }

    // An event property: the value names a published method of the root (the form).
    template <typename Ev>
    void Event(const char* name, Ev C::*member) {
        p_.Property({name,
                     [member](TObject& o, const TFormValue& v, TReadContext& ctx) {
                         if (v.Kind == TFormValue::vaNil) return (void)(Self(o).*member = nullptr);
                         const TMethodInfo* method = ctx.Root ? ctx.Root->ClassType()->FindMethod(v.AsIdent()) : nullptr;
                         if (!method) RaiseInvalidPropertyValue(v);
                         std::any bound = method->Bind(*ctx.Root);
                         const Ev* handler = std::any_cast<Ev>(&bound);
                         if (!handler) RaiseInvalidPropertyValue(v);
                         Self(o).*member = *handler;
                     },
                     {},
                     {}});
    }

    // A form's published component field (TEdit* Edit4).
    template <typename T>
    void Field(const char* name, T* C::*member) {
        p_.Field({name,
                  [member](TObject& owner, TComponent* value) {
                      if (value == nullptr) return (Self(owner).*member = nullptr), true;
                      T* typed = dynamic_cast<T*>(value);
                      if (!typed) return false;
                      Self(owner).*member = typed;
                      return true;
                  },
                  [member](TObject& owner) -> void* { return &(Self(owner).*member); }});
    }

    // A form's published handler: bound to the instance as a std::function of the same signature.
    template <typename R, typename... Args>
    void Method(const char* name, R (C::*method)(Args...)) {
        p_.Method({name, [method](TObject& instance) -> std::any {
                       C* self = &Self(instance);
                       return std::function<R(Args...)>(
                           [self, method](Args... args) -> R { return (self->*method)(std::forward<Args>(args)...); });
                   }});
    }

private:
    static C& Self(TObject& o) { return static_cast<C&>(o); }
    TPublisher& p_;
};
