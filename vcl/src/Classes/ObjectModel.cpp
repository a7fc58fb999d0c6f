// Class descriptors, published tables, TObject, TPersistent, TComponent and the class registry.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <memory>

#include "vcl/Classes.h"

struct TClassTables {
    std::vector<TPropertyInfo> Properties;
    std::vector<TFieldInfo> Fields;
    std::vector<TMethodInfo> Methods;
};

bool SameIdent(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x -= 32;
        if (y >= 'a' && y <= 'z') y -= 32;
        if (x != y) return false;
    }
    return true;
}

// ---------------------------------------------------------------------------

namespace {

TClassTables& OwnTables(const TClassInfo& info) {
    if (!info.Tables) {
        auto tables = std::make_unique<TClassTables>();
        if (info.Publish) {
            TPublisher publisher(*tables);
            info.Publish(publisher);
        }
        // Descriptors live for the whole process; so do their tables.
        info.Tables = tables.release();
    }
    return *info.Tables;
}

template <typename Entry>
const Entry* FindIn(const TClassInfo* info, std::string_view name, std::vector<Entry> TClassTables::*list) {
    for (; info; info = info->Parent) {
        for (const Entry& e : OwnTables(*info).*list)
            if (SameIdent(e.Name, name)) return &e;
    }
    return nullptr;
}

}  // namespace

bool TClassInfo::InheritsFrom(TClass other) const {
    for (TClass c = this; c; c = c->Parent)
        if (c == other) return true;
    return false;
}

const TPropertyInfo* TClassInfo::FindProperty(std::string_view name) const {
    return FindIn(this, name, &TClassTables::Properties);
}
const TFieldInfo* TClassInfo::FindField(std::string_view name) const {
    return FindIn(this, name, &TClassTables::Fields);
}
const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
    return FindIn(this, name, &TClassTables::Methods);
}

std::vector<const TPropertyInfo*> TClassInfo::Properties() const {
    std::vector<TClass> chain;
    for (TClass c = this; c; c = c->Parent) chain.push_back(c);
    std::vector<const TPropertyInfo*> result;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropertyInfo& p : OwnTables(**it).Properties) result.push_back(&p);
    return result;
}

void TPublisher::Property(TPropertyInfo info) { tables_.Properties.push_back(std::move(info)); }
void TPublisher::Field(TFieldInfo info) { tables_.Fields.push_back(std::move(info)); }
void TPublisher::Method(TMethodInfo info) { tables_.Methods.push_back(std::move(info)); }

// ---------------------------------------------------------------------------

Int64 TFormValue::AsInteger() const {
    if (Kind != vaInt) RaiseInvalidPropertyValue(*this);
    return Int;
}
double TFormValue::AsFloat() const {
    if (Kind == vaInt) return static_cast<double>(Int);
    if (Kind != vaFloat) RaiseInvalidPropertyValue(*this);
    return Float;
}
const std::string& TFormValue::AsString() const {
    if (Kind != vaString) RaiseInvalidPropertyValue(*this);
    return Str;
}
WideString TFormValue::AsWideString() const {
    if (Kind != vaString) RaiseInvalidPropertyValue(*this);
    return Wide.empty() ? AnsiToWide(Str) : Wide;
}
const std::string& TFormValue::AsIdent() const {
    if (Kind != vaIdent) RaiseInvalidPropertyValue(*this);
    return Str;
}
bool TFormValue::AsBoolean() const {
    if (Kind == vaTrue) return true;
    if (Kind == vaFalse) return false;
    RaiseInvalidPropertyValue(*this);
}

void RaiseInvalidPropertyValue(const TFormValue&) { throw EReadError("Invalid property value"); }

TFormValue FormInt(Int64 value) {
    TFormValue v;
    v.Kind = TFormValue::vaInt;
    v.Int = value;
    return v;
}
TFormValue FormString(std::string value) {
    TFormValue v;
    v.Kind = TFormValue::vaString;
    v.Str = std::move(value);
    return v;
}
TFormValue FormWideString(const WideString& value) {
    TFormValue v = FormString(WideToAnsi(value));
    if (AnsiToWide(v.Str) != value) v.Wide = value;
    return v;
}
TFormValue FormBool(bool value) {
    TFormValue v;
    v.Kind = value ? TFormValue::vaTrue : TFormValue::vaFalse;
    return v;
}
TFormValue FormIdent(std::string value) {
    TFormValue v;
    v.Kind = TFormValue::vaIdent;
    v.Str = std::move(value);
    return v;
}

namespace {

std::vector<std::pair<TIdentToInt, TIntToIdent>>& IntegerIdents() {
    static std::vector<std::pair<TIdentToInt, TIntToIdent>> idents;
    return idents;
}

}  // namespace

void RegisterIntegerIdents(TIdentToInt IdentToInt, TIntToIdent IntToIdent) {
    for (auto& [toInt, toIdent] : IntegerIdents())
        if (toInt == IdentToInt) return (void)(toIdent = IntToIdent);
    IntegerIdents().emplace_back(IdentToInt, IntToIdent);
}

TFormValue IntegerOrIdent(TIdentToInt IdentToInt, Int64 Value) {
    if (Value < INT32_MIN || Value > INT32_MAX) return FormInt(Value);
    for (const auto& [toInt, toIdent] : IntegerIdents()) {
        std::string ident;
        if (toInt == IdentToInt && toIdent(static_cast<Integer>(Value), ident)) return FormIdent(std::move(ident));
    }
    return FormInt(Value);
}

// ---------------------------------------------------------------------------

TClass TObject::ClassInfo() {
    static const TClassInfo info{"TObject", nullptr, nullptr, nullptr};
    return &info;
}

void TObject::Free() {
    BeforeDestruction();
    delete this;
}

VCL_IMPLEMENT_CLASS(TPersistent, nullptr, nullptr)

void TPersistent::Assign(TPersistent* Source) {
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest->ClassName());
}

// ---------------------------------------------------------------------------

static void PublishTComponent(TPublisher& p) {
    TPublishOf<TComponent> P(p);
    P.Int("Tag", &TComponent::Tag, &TComponent::SetTag);
}

VCL_IMPLEMENT_CLASS(TComponent, nullptr, PublishTComponent)

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

void TComponent::BeforeDestruction() {
    if (destroyed_) return;
    destroyed_ = true;
    Destroying();
    ClearReferences();
    // Whoever asked to hear of our end hears it now, while we are still whole.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = other->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

TComponent::~TComponent() {
#ifdef VCL_CHECK_FREE
    // Only a constructor that raised may end a component without Free: anything else skipped the
    // BeforeDestruction of the whole object (a form's OnDestroy among them).
    if (!destroyed_ && std::uncaught_exceptions() == 0) {
        std::fprintf(stderr, "The component \"%s\" was destroyed without Free\n", name_.c_str());
        std::abort();
    }
#endif
    // A release build goes on as Free would have, as far as the remains allow.
    TComponent::BeforeDestruction();
}

void TComponent::ClearReferences() {
    while (refs_) {
        TComponentRefBase* ref = refs_;
        refs_ = ref->next_;
        ref->prev_ = ref->next_ = nullptr;
        ref->target_ = nullptr;
    }
}

void TComponentRefBase::Link(TComponent* Target) noexcept {
    if (Target == target_) return;
    if (target_) {
        if (prev_) prev_->next_ = next_;
        else target_->refs_ = next_;
        if (next_) next_->prev_ = prev_;
        prev_ = next_ = nullptr;
        target_ = nullptr;
    }
    if (!Target || Target->destroyed_) return;
    target_ = Target;
    next_ = Target->refs_;
    if (next_) next_->prev_ = this;
    Target->refs_ = this;
}

void TComponent::Destroying() { state_.Include(csDestroying); }

void TComponent::SetName(const AnsiString& NewName) {
    if (NewName == name_) return;
    if (!NewName.empty()) {
        auto isAlpha = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
        bool valid = isAlpha(static_cast<unsigned char>(NewName[0]));
        for (unsigned char c : NewName) valid = valid && (isAlpha(c) || (c >= '0' && c <= '9'));
        if (!valid) throw EComponentError("'" + NewName + "' is not a valid component name");
        if (owner_) {
            TComponent* clash = owner_->FindComponent(NewName);
            if (clash && clash != this) throw EComponentError("A component named " + NewName + " already exists");
        }
    }
    if (owner_) ClearOwnerField();
    name_ = NewName;
}

TComponent* TComponent::Components(Integer Index) const {
    CheckRange(Index, 0, ComponentCount() - 1);
    return components_[static_cast<std::size_t>(Index)];
}

Integer TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    const auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<Integer>(it - list.begin());
}

TComponent* TComponent::FindComponent(const AnsiString& AName) const {
    if (AName.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameIdent(c->name_, AName)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->owner_ == this) return;
    if (!AComponent->name_.empty() && FindComponent(AComponent->name_))
        throw EComponentError("A component named " + AComponent->name_ + " already exists");
    if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
    components_.push_back(AComponent);
    AComponent->owner_ = this;
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->owner_ != this) return;
    Notification(AComponent, opRemove);
    AComponent->ClearOwnerField();
    components_.erase(std::remove(components_.begin(), components_.end(), AComponent), components_.end());
    AComponent->owner_ = nullptr;
}

// The owner's published field of this name no longer refers to us.
void TComponent::ClearOwnerField() {
    if (name_.empty() || !owner_ || owner_->destroyed_) return;
    if (const TFieldInfo* field = owner_->ClassType()->FindField(name_)) {
        void* address = field->Address(*owner_);
        if (*static_cast<TComponent**>(address) == this) field->Assign(*owner_, nullptr);
    }
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* newest = components_.back();
        RemoveComponent(newest);
        newest->Free();
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) == freeNotifies_.end()) {
        freeNotifies_.push_back(AComponent);
        AComponent->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    auto drop = [](std::vector<TComponent*>& list, TComponent* c) {
        list.erase(std::remove(list.begin(), list.end(), c), list.end());
    };
    drop(freeNotifies_, AComponent);
    if (AComponent) drop(AComponent->freeNotifies_, this);
}

void TComponent::SetComponentStateItem(TComponentStateItem Item, bool On) {
    if (On) state_.Include(Item);
    else state_.Exclude(Item);
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // Owned components hear it too; one may leave the list while we walk it.
    for (std::size_t i = components_.size(); i-- > 0;) {
        if (i >= components_.size()) continue;
        TComponent* c = components_[i];
        if (c != AComponent) c->Notification(AComponent, Operation);
    }
}

// ---------------------------------------------------------------------------

namespace {
std::vector<TClass>& Registry() {
    static std::vector<TClass> classes;
    return classes;
}
}  // namespace

void RegisterClass(TClass AClass) {
    if (!AClass || GetClass(AClass->Name) == AClass) return;
    Registry().push_back(AClass);
}

void RegisterClasses(std::initializer_list<TClass> Classes) {
    for (TClass c : Classes) RegisterClass(c);
}

void UnRegisterClass(TClass AClass) {
    auto& r = Registry();
    r.erase(std::remove(r.begin(), r.end(), AClass), r.end());
}

TClass GetClass(const AnsiString& ClassName) {
    for (TClass c : Registry())
        if (SameIdent(c->Name, ClassName)) return c;
    return nullptr;
}

TClass FindClass(const AnsiString& ClassName) {
    TClass c = GetClass(ClassName);
    if (!c) throw EClassNotFound("Class " + ClassName + " not found");
    return c;
}

const TEnumNames<TAlignment>& AlignmentNames() {
    static const TEnumNames<TAlignment> names{
        {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};
    return names;
}
