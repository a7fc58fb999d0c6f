#pragma once
// Object model (class references, published tables, components), lists, streams, form descriptions.

#include <any>
#include <exception>
#include <functional>
#include <memory>
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
    std::string Str;               // vaString (Windows-1252 bytes), vaIdent, vaBinary (raw bytes)
    WideString Wide;               // vaString: the UTF-16 text, when it holds more than Windows-1252 has
    std::vector<std::string> Set;  // vaSet: member identifiers
    std::vector<TFormValue> List;  // vaList: ( ... ) items
    std::vector<TItem> Items;      // vaCollection: < item ... end >
    int Line = 0;

    // Conversions used by property writers; each raises EReadError("Invalid property value") on a mismatch.
    Int64 AsInteger() const;
    double AsFloat() const;
    const std::string& AsString() const;
    // A string as wide-string properties take it: codes above 255 (#8364) kept.
    WideString AsWideString() const;
    const std::string& AsIdent() const;
    bool AsBoolean() const;
};

struct TReadContext {
    TComponent* Root = nullptr;                 // the form (or data module) being read
    std::vector<std::function<void()>> Fixups;  // component references, resolved after the whole text is read
};

// ---------------------------------------------------------------------------
// Published tables: properties of any class, fields and handler methods of a form class.

struct TPropertyInfo {
    std::string Name;
    std::function<void(TObject&, const TFormValue&, TReadContext&)> Write;
    std::function<TFormValue(TObject&)> Read;         // empty when the property is not streamed out
    std::function<TPersistent*(TObject&)> SubObject;  // set for object properties (Font, Constraints, Lines)
};

struct TFieldInfo {
    std::string Name;
    std::function<bool(TObject& owner, TComponent* value)> Assign;  // false: the component has the wrong class
    std::function<void*(TObject& owner)> Address;                   // the field's address (a T** in disguise)
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
    void (*Publish)(TPublisher&);              // this class's own published entries (nullptr: none)
    mutable TClassTables* Tables = nullptr;    // built on first lookup

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
#define VCL_CLASS(Cls, Base)   \
public:                        \
    using inherited = Base;    \
    static TClass ClassInfo(); \
    TClass ClassType() const override { return Cls::ClassInfo(); }

// Defines the descriptor in the .cpp. Creator: VCL_CREATOR(Cls) or nullptr; PublishFn: void(TPublisher&) or nullptr.
#define VCL_IMPLEMENT_CLASS(Cls, Creator, PublishFn)                                         \
    TClass Cls::ClassInfo() {                                                                \
        static const TClassInfo info{#Cls, Cls::inherited::ClassInfo(), Creator, PublishFn}; \
        return &info;                                                                        \
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

// Sole ownership of an object that goes through Free, so that BeforeDestruction (and a form's OnDestroy)
// runs on the whole object. Use it wherever a plain delete or std::unique_ptr would hold a component.
struct TObjectFreer {
    void operator()(TObject* Object) const { Object->Free(); }
};
template <typename T>
using TOwned = std::unique_ptr<T, TObjectFreer>;

template <typename T, typename... Args>
TOwned<T> MakeOwned(Args&&... args) {
    return TOwned<T>(new T(std::forward<Args>(args)...));
}

class TPersistent : public TObject {
    VCL_CLASS(TPersistent, TObject)
    // Copies Source's state; raises EConvertError "Cannot assign a X to a Y" when the classes don't fit.
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
};

enum TOperation { opInsert, opRemove };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TComponentStateItem {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups
};
using TComponentState = TSet<TComponentStateItem>;

class TComponentRefBase {
protected:
    TComponentRefBase() noexcept = default;
    ~TComponentRefBase() { Link(nullptr); }
    TComponentRefBase(const TComponentRefBase&) = delete;
    TComponentRefBase& operator=(const TComponentRefBase&) = delete;

    // Registers with Target's free notifications (nil: with none), dropping the former registration.
    // A component already being destroyed is not taken: the reference stays nil.
    void Link(TComponent* Target) noexcept;

    TComponent* target_ = nullptr;

private:
    friend class TComponent;
    TComponentRefBase* prev_ = nullptr;
    TComponentRefBase* next_ = nullptr;
};

// A reference to a component that reads nil once the component is destroyed: it registers with the
// component's free notifications and is cleared with them, before the component's destructors run.
// A copy registers on its own; a move hands the registration over and leaves the source nil; a
// reference that goes first takes its registration with it.
template <typename T>
class TComponentRef : private TComponentRefBase {
public:
    TComponentRef() noexcept = default;
    TComponentRef(T* Component) noexcept { Link(Component); }
    TComponentRef(const TComponentRef& Other) noexcept : TComponentRefBase() { Link(Other.target_); }
    TComponentRef(TComponentRef&& Other) noexcept : TComponentRefBase() { TakeFrom(Other); }
    TComponentRef& operator=(const TComponentRef& Other) noexcept {
        Link(Other.target_);
        return *this;
    }
    TComponentRef& operator=(TComponentRef&& Other) noexcept {
        if (this != &Other) TakeFrom(Other);
        return *this;
    }
    TComponentRef& operator=(T* Component) noexcept {
        Link(Component);
        return *this;
    }

    T* Get() const noexcept { return static_cast<T*>(target_); }
    operator T*() const noexcept { return Get(); }
    T* operator->() const noexcept { return Get(); }

private:
    void TakeFrom(TComponentRef& Other) noexcept {
        Link(Other.target_);
        Other.Link(nullptr);
    }
};

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
    friend class TComponentRefBase;
    void ClearOwnerField();
    void ClearReferences();

    TComponent* owner_ = nullptr;
    AnsiString name_;
    Integer tag_ = 0;
    TComponentState state_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    TComponentRefBase* refs_ = nullptr;  // the references that read nil once we are destroyed
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
class TCollection;
// Fills a collection from a < item ... end > value: cleared, then one Add per item with its properties set.
void ReadCollectionValue(TCollection* Collection, const TFormValue& Value, TReadContext& Context);
TFormValue FormInt(Int64 value);
TFormValue FormString(std::string value);
// A wide string's value: its Windows-1252 form, with the UTF-16 text kept where that form loses some.
TFormValue FormWideString(const WideString& value);
TFormValue FormBool(bool value);
TFormValue FormIdent(std::string value);

// Integers that descriptions may name (clRed): the unit owning a naming registers the way back, so that
// streaming writes the name where one exists. Names stand for 32-bit values only.
using TIdentToInt = bool (*)(const std::string& Ident, Int64& Value);
using TIntToIdent = bool (*)(Integer Value, std::string& Ident);
void RegisterIntegerIdents(TIdentToInt IdentToInt, TIntToIdent IntToIdent);
// The value as its registered name, else as an integer.
TFormValue IntegerOrIdent(TIdentToInt IdentToInt, Int64 Value);
// A collection's items as < item ... end > holds them: each item's published values.
TFormValue CollectionValueOf(TCollection* Collection);

template <typename E>
using TEnumNames = std::vector<std::pair<const char*, E>>;

// The names descriptions give the values of the class library's enumerations, for every class publishing them.
const TEnumNames<TAlignment>& AlignmentNames();

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
    void IntIdent(const char* name, G get, S set, TIdentToInt identToInt) {
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
                     [get, identToInt](TObject& o) {
                         return IntegerOrIdent(identToInt, static_cast<Int64>(std::invoke(get, Self(o))));
                     },
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
        p_.Property(
            {name,
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
                                 if (SameIdent(ident, member)) {
                                     result.Include(value);
                                     found = true;
                                 }
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

    // A collection of items (Panels = < item Width = 50 end >).
    template <typename G>
    void Collection(const char* name, G get) {
        p_.Property({name,
                     [get](TObject& o, const TFormValue& v, TReadContext& ctx) {
                         ReadCollectionValue(std::invoke(get, Self(o)), v, ctx);
                     },
                     [get](TObject& o) { return CollectionValueOf(std::invoke(get, Self(o))); },
                     {}});
    }

    // A reference to another component by name, resolved once the whole description is read.
    template <typename T, typename S>
    void Component(const char* name, S set) {
        p_.Property({name,
                     [set](TObject& o, const TFormValue& v, TReadContext& ctx) {
                         C* self = &Self(o);
                         if (v.Kind == TFormValue::vaNil)
                             return (void)std::invoke(set, *self, static_cast<T*>(nullptr));
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
                         const TMethodInfo* method =
                             ctx.Root ? ctx.Root->ClassType()->FindMethod(v.AsIdent()) : nullptr;
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

// ---------------------------------------------------------------------------

using TNotifyEvent = std::function<void(TObject* Sender)>;

// ---------------------------------------------------------------------------
// TList: a list of untyped pointers.

using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
    VCL_CLASS(TList, TObject)
    TList() = default;

    Integer Count() const { return static_cast<Integer>(items_.size()); }
    void* Items(Integer Index) const;  // EListError outside 0..Count-1
    void SetItems(Integer Index, void* Item);
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }

    Integer Add(void* Item);
    void Insert(Integer Index, void* Item);  // Index may be Count
    void Delete(Integer Index);
    Integer Remove(void* Item);  // the index it had, or -1
    void* Extract(void* Item);   // removes it; nullptr when absent
    Integer IndexOf(void* Item) const;
    void Clear() { items_.clear(); }
    void Exchange(Integer Index1, Integer Index2);
    void Move(Integer CurIndex, Integer NewIndex);
    void Pack();  // drops the nil entries
    void Sort(const TListSortCompare& Compare);

private:
    void CheckIndex(Integer Index) const;
    std::vector<void*> items_;
};

// A list index outside the list: "List index out of bounds (5)".
[[noreturn]] void RaiseListIndexError(Integer Index);

// ---------------------------------------------------------------------------
// Streams.

enum : Word { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream : public TObject {
    VCL_CLASS(TStream, TObject)
    virtual Integer Read(void* Buffer, Integer Count) = 0;
    virtual Integer Write(const void* Buffer, Integer Count) = 0;
    // Origin is soFromBeginning, soFromCurrent or soFromEnd; returns the new position.
    virtual Int64 Seek(Int64 Offset, Word Origin) = 0;

    Int64 Position() { return Seek(0, soFromCurrent); }
    void SetPosition(Int64 Pos) { Seek(Pos, soFromBeginning); }
    virtual Int64 Size();
    virtual void SetSize(Int64 NewSize);

    // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* Buffer, Integer Count);
    void WriteBuffer(const void* Buffer, Integer Count);
    // Count 0 copies the whole source from its start; returns the bytes copied.
    Int64 CopyFrom(TStream* Source, Int64 Count);

    // Everything from the position to the end, as bytes.
    std::string ReadRest();

    // A component in the binary form (TWriter, TReader). ReadComponent reads into Instance, or into a
    // new component of the stream's class when Instance is nil, and returns it.
    void WriteComponent(TComponent* Instance);
    TComponent* ReadComponent(TComponent* Instance);
};

// Storage in memory; Memory() stays valid until the size changes.
class TMemoryStream : public TStream {
    VCL_CLASS(TMemoryStream, TStream)
    TMemoryStream() = default;

    Integer Read(void* Buffer, Integer Count) override;
    Integer Write(const void* Buffer, Integer Count) override;
    Int64 Seek(Int64 Offset, Word Origin) override;
    Int64 Size() override { return static_cast<Int64>(data_.size()); }
    void SetSize(Int64 NewSize) override;

    void* Memory() { return data_.data(); }
    const std::string& Bytes() const { return data_; }
    void Clear();
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const AnsiString& FileName);
    void SaveToStream(TStream* Stream);
    void SaveToFile(const AnsiString& FileName);

protected:
    explicit TMemoryStream(std::string Bytes) : data_(std::move(Bytes)) {}

private:
    std::string data_;
    Int64 position_ = 0;
};

// A stream over a string of bytes: a memory stream that hands out its bytes as text.
class TStringStream : public TMemoryStream {
    VCL_CLASS(TStringStream, TMemoryStream)
    explicit TStringStream(const AnsiString& AString = {}) : TMemoryStream(AString) {}

    const AnsiString& DataString() const { return Bytes(); }
    AnsiString ReadString(Integer Count);
    void WriteString(const AnsiString& AString);
};

enum : Word {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFFFF,
};

// A stream over an open operating-system file handle (a descriptor here).
class THandleStream : public TStream {
    VCL_CLASS(THandleStream, TStream)
    explicit THandleStream(int AHandle) : handle_(AHandle) {}

    Integer Read(void* Buffer, Integer Count) override;
    Integer Write(const void* Buffer, Integer Count) override;
    Int64 Seek(Int64 Offset, Word Origin) override;
    void SetSize(Int64 NewSize) override;
    int Handle() const { return handle_; }

protected:
    int handle_ = -1;
};

// The file name is Windows-1252; share flags are accepted and have no effect.
class TFileStream : public THandleStream {
    VCL_CLASS(TFileStream, THandleStream)
    // EFCreateError "Cannot create file "x"" for fmCreate; EFOpenError "Cannot open file "x"" otherwise.
    TFileStream(const AnsiString& FileName, Word Mode);
    ~TFileStream() override;
    const AnsiString& FileName() const { return fileName_; }

private:
    AnsiString fileName_;
};

// ---------------------------------------------------------------------------
// String lists.

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
    VCL_CLASS(TStrings, TPersistent)
    TStrings() = default;

    Integer Count() const { return GetCount(); }
    AnsiString Strings(Integer Index) const { return Get(Index); }
    void SetStrings(Integer Index, const AnsiString& S) { Put(Index, S); }
    TObject* Objects(Integer Index) const { return GetObject(Index); }
    void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }

    // Every line followed by CR LF; setting splits at CR, LF or CR LF.
    AnsiString Text() const { return GetTextStr(); }
    void SetText(const AnsiString& Value) { SetTextStr(Value); }
    AnsiString CommaText() const;
    void SetCommaText(const AnsiString& Value);
    AnsiString DelimitedText() const;
    void SetDelimitedText(const AnsiString& Value);
    char Delimiter() const { return delimiter_; }
    void SetDelimiter(char Value) { delimiter_ = Value; }
    char QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(char Value) { quoteChar_ = Value; }
    char NameValueSeparator() const { return nameValueSeparator_; }
    void SetNameValueSeparator(char Value) { nameValueSeparator_ = Value; }

    // Name=Value lines.
    AnsiString Names(Integer Index) const;
    AnsiString Values(const AnsiString& Name) const;
    // An empty value deletes the line.
    void SetValues(const AnsiString& Name, const AnsiString& Value);
    AnsiString ValueFromIndex(Integer Index) const;

    virtual Integer Add(const AnsiString& S);
    virtual Integer AddObject(const AnsiString& S, TObject* AObject);
    void Append(const AnsiString& S) { Add(S); }
    virtual void AddStrings(TStrings* Strings);
    void Assign(TPersistent* Source) override;
    virtual void Clear() = 0;
    virtual void Delete(Integer Index) = 0;
    virtual void Insert(Integer Index, const AnsiString& S) = 0;
    void InsertObject(Integer Index, const AnsiString& S, TObject* AObject);
    virtual void Exchange(Integer Index1, Integer Index2);
    virtual void Move(Integer CurIndex, Integer NewIndex);
    virtual Integer IndexOf(const AnsiString& S) const;
    Integer IndexOfName(const AnsiString& Name) const;
    Integer IndexOfObject(TObject* AObject) const;
    // Same lines, compared exactly.
    bool Equals(TStrings* Strings) const;

    // Change notifications wait for the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    virtual void LoadFromStream(TStream* Stream);
    virtual void SaveToStream(TStream* Stream) const;
    void LoadFromFile(const AnsiString& FileName);
    void SaveToFile(const AnsiString& FileName) const;

protected:
    virtual AnsiString Get(Integer Index) const = 0;
    virtual Integer GetCount() const = 0;
    virtual TObject* GetObject(Integer /*Index*/) const { return nullptr; }
    virtual void Put(Integer Index, const AnsiString& S);
    virtual void PutObject(Integer /*Index*/, TObject* /*AObject*/) {}
    virtual AnsiString GetTextStr() const;
    virtual void SetTextStr(const AnsiString& Value);
    // Called as the outermost update begins (true) and ends (false).
    virtual void SetUpdateState(bool /*Updating*/) {}
    // Negative, zero or positive, in the locale's word order; case-insensitive here.
    virtual int CompareStrings(const AnsiString& S1, const AnsiString& S2) const;
    Integer UpdateCount() const { return updateCount_; }

private:
    AnsiString JoinDelimited(char Delim, char Quote) const;
    void SplitDelimited(const AnsiString& Value, char Delim, char Quote);

    Integer updateCount_ = 0;
    char delimiter_ = ',';
    char quoteChar_ = '"';
    char nameValueSeparator_ = '=';
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, Integer Index1, Integer Index2)>;

class TStringList : public TStrings {
    VCL_CLASS(TStringList, TStrings)
    TStringList() = default;

    Integer Add(const AnsiString& S) override;
    Integer AddObject(const AnsiString& S, TObject* AObject) override;
    void Clear() override;
    void Delete(Integer Index) override;
    void Insert(Integer Index, const AnsiString& S) override;  // EStringListError on a sorted list
    void Exchange(Integer Index1, Integer Index2) override;
    Integer IndexOf(const AnsiString& S) const override;
    // Binary search of a sorted list: true when found; Index is where S is or would go.
    virtual bool Find(const AnsiString& S, Integer& Index) const;
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates Value) { duplicates_ = Value; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    AnsiString Get(Integer Index) const override;
    Integer GetCount() const override { return static_cast<Integer>(items_.size()); }
    TObject* GetObject(Integer Index) const override;
    void Put(Integer Index, const AnsiString& S) override;
    void PutObject(Integer Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const AnsiString& S1, const AnsiString& S2) const override;
    virtual void Changed();
    virtual void Changing();
    void InsertItem(Integer Index, const AnsiString& S, TObject* AObject);

private:
    struct TItem {
        AnsiString String;
        TObject* Object = nullptr;
    };
    void CheckIndex(Integer Index) const;
    void SortItems(const TStringListSortCompare& Compare);
    // Runs Mutate between Changing and Changed.
    template <typename F>
    void Change(F&& Mutate);

    std::vector<TItem> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
    bool changedWhileUpdating_ = false;
};

// ---------------------------------------------------------------------------
// Collections: owned lists of items of one class, streamed as < item ... end >.

class TCollectionItem;

// The class reference of a collection's items: the class and how to create one inside a collection.
struct TCollectionItemClassInfo {
    TClass Class;
    TCollectionItem* (*Create)(TCollection* Collection);
};
using TCollectionItemClass = const TCollectionItemClassInfo*;

template <typename T>
TCollectionItemClass CollectionItemClassOf() {
    static const TCollectionItemClassInfo info{T::ClassInfo(),
                                               [](TCollection* c) -> TCollectionItem* { return new T(c); }};
    return &info;
}

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
    VCL_CLASS(TCollectionItem, TPersistent)
    // Joins Collection (when not nil) as its last item.
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    void SetCollection(TCollection* Value);
    Integer ID() const { return id_; }
    Integer Index() const;
    virtual void SetIndex(Integer Value);
    AnsiString DisplayName() const { return GetDisplayName(); }
    virtual void SetDisplayName(const AnsiString& Value);

protected:
    // Tells the collection: this item changed, or (AllItems) every item did.
    void Changed(bool AllItems);
    virtual AnsiString GetDisplayName() const { return ClassName(); }

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    Integer id_ = 0;
};

class TCollection : public TPersistent {
    VCL_CLASS(TCollection, TPersistent)
    explicit TCollection(TCollectionItemClass ItemClass);
    ~TCollection() override;

    TCollectionItem* Add();
    TCollectionItem* Insert(Integer Index);
    void Delete(Integer Index);
    void Clear();
    Integer Count() const { return static_cast<Integer>(items_.size()); }
    TCollectionItem* Items(Integer Index) const;  // EListError outside 0..Count-1
    void SetItems(Integer Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }
    TCollectionItem* FindItemID(Integer ID) const;
    TCollectionItemClass ItemClass() const { return itemClass_; }
    // The object that holds the collection (nil for a plain collection).
    virtual TPersistent* Owner() const { return nullptr; }
    void Assign(TPersistent* Source) override;

    // Update notifications wait for the outermost EndUpdate, which sends one for all items.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    Integer UpdateCount() const { return updateCount_; }

protected:
    // Item is the changed item, or nil when all may have changed.
    virtual void Update(TCollectionItem* /*Item*/) {}
    virtual void Notify(TCollectionItem* /*Item*/, TCollectionNotification /*Action*/) {}
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void MoveItem(Integer CurIndex, Integer NewIndex);
    void ItemChanged(TCollectionItem* Item);

    TCollectionItemClass itemClass_;
    std::vector<TCollectionItem*> items_;
    Integer updateCount_ = 0;
    Integer nextID_ = 0;
};

// A collection that knows the object it belongs to.
class TOwnedCollection : public TCollection {
    VCL_CLASS(TOwnedCollection, TCollection)
    TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass) : TCollection(ItemClass), owner_(AOwner) {}
    TPersistent* Owner() const override { return owner_; }

private:
    TPersistent* owner_;
};

// ---------------------------------------------------------------------------
// Threads: Execute runs on a thread of its own, begun by Start as soon as the object is whole (a thread
// object is never kept suspended here). The object is freed by its owner, or by the thread itself as it
// ends when FreeOnTerminate is set before that.

VCL_EXCEPTION(EThread, Exception);

class TThread : public TObject {
    VCL_CLASS(TThread, TObject)
    TThread();
    // Terminates a running thread and waits for it.
    void BeforeDestruction() override;
    ~TThread() override;

    // Begins Execute; EThread "Thread already started" on a second call.
    void Start();
    // Sets Terminated; Execute decides when to stop.
    void Terminate();
    bool Terminated() const;
    // Waits until Execute has returned and gives ReturnValue. EThread for a thread that frees itself, one
    // not started, or a call from the thread itself.
    Integer WaitFor();
    bool Finished() const;
    bool FreeOnTerminate() const;
    void SetFreeOnTerminate(bool Value);
    // What Execute raised, if anything (it ends the thread, never the program).
    std::exception_ptr FatalException() const;

    // Test seam: waits up to Milliseconds until no thread object is left; true when none is.
    static bool WaitUntilNoThreadsForTest(int Milliseconds);

protected:
    virtual void Execute() = 0;
    void SetReturnValue(Integer Value);

private:
    void Run();
    struct TState;
    std::unique_ptr<TState> state_;
};

// ---------------------------------------------------------------------------
// Form descriptions: `object Name: TClass` ... `end`, read into an existing root component.

// Reads Text into Root. Errors raise EParserError (malformed text) or EReadError (names, classes,
// properties, values), naming the line; components created by a failed reading are freed again.
void ReadComponentFromText(const std::string& Text, TComponent* Root);
// Reads the "DFM" resource ResName into Root; EResNotFound "Resource X not found" when absent.
void ReadComponentRes(const AnsiString& ResName, TComponent* Root);

// ---------------------------------------------------------------------------
// Binary component streaming over the published tables: the signature "TPF0", then a component as
// its class name, its name, its published properties and the end of their list, its children (the
// components the root owns whose parent component it is) and the end of theirs. Every property is
// written but empty strings and nil; references to other components are written nil.

class TWriter : public TObject {
    VCL_CLASS(TWriter, TObject)
    // BufSize: the bytes collected before they go to the stream.
    TWriter(TStream* Stream, Integer BufSize);
    ~TWriter() override;  // flushes what is left

    void WriteSignature();
    void WriteComponent(TComponent* Component);
    // The signature, then the component with the components it owns.
    void WriteRootComponent(TComponent* Root);
    void FlushBuffer();

private:
    void WriteObject(TComponent& Component, TComponent& Root);
    TStream* stream_;
    std::size_t bufSize_;
    std::string buffer_;
};

// Every length is bounded by the stream's end and nesting is limited; what is not a component stream
// raises EReadError, and whatever a failed reading created is freed again.
class TReader : public TObject {
    VCL_CLASS(TReader, TObject)
    TReader(TStream* Stream, Integer BufSize);

    void ReadSignature();
    // The signature and one component, read into Root or into a new one of the stream's class (Root nil).
    TComponent* ReadRootComponent(TComponent* Root);

private:
    TStream* stream_;
};
