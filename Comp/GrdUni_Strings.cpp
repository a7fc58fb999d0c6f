// The wide-string list and its single-byte adapter.
#include "GrdUni.h"

#include <algorithm>

#include "vcl/ScopeGuard.h"
#include "vcl/SysUtils.h"

namespace GrdUni {

namespace {

// Keeps a BeginUpdate/EndUpdate pair balanced when the work in between raises.
auto UpdateScope(TWideStrings& List) {
    List.BeginUpdate();
    return TScopeExit([&List] { List.EndUpdate(); });
}

bool IsLineBreak(WideChar c) {
    switch (c) {
        case u'\n':
        case u'\v':
        case u'\f':
        case u'\r':
        case u'\u2028':
        case u'\u2029': return true;
        default: return false;
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// TWideStrings

TWideStrings::TWideStrings()
    : ansiStrings_(std::make_unique<TAnsiStringsForWideStrings>(this)), locale_(LOCALE_USER_DEFAULT) {}

TWideStrings::~TWideStrings() = default;

void TWideStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TWideStrings::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) SetUpdateState(false);
}

Integer TWideStrings::Add(const WideString& S) {
    const Integer index = GetCount();
    Insert(index, S);
    return index;
}

Integer TWideStrings::AddObject(const WideString& S, TObject* AObject) {
    const Integer index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TWideStrings::AddStrings(TStrings* Strings) {
    const auto update = UpdateScope(*this);
    for (Integer i = 0; i < Strings->Count(); ++i) AddObject(AnsiToWide(Strings->Strings(i)), Strings->Objects(i));
}

void TWideStrings::AddStrings(TWideStrings* Strings) {
    const auto update = UpdateScope(*this);
    for (Integer i = 0; i < Strings->Count(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
}

void TWideStrings::Assign(TPersistent* Source) {
    if (auto* wide = dynamic_cast<TWideStrings*>(Source)) {
        if (wide == this) return;
        const auto update = UpdateScope(*this);
        Clear();
        AddStrings(wide);
        return;
    }
    if (auto* ansi = dynamic_cast<TStrings*>(Source)) {
        if (ansi == ansiStrings_.get()) return;
        const auto update = UpdateScope(*this);
        Clear();
        AddStrings(ansi);
        return;
    }
    TPersistent::Assign(Source);
}

void TWideStrings::AssignTo(TPersistent* Dest) {
    auto* ansi = dynamic_cast<TStrings*>(Dest);
    if (!ansi) return TPersistent::AssignTo(Dest);
    if (ansi == ansiStrings_.get()) return;
    ansi->BeginUpdate();
    const TScopeExit end([ansi] { ansi->EndUpdate(); });
    ansi->Clear();
    for (Integer i = 0; i < GetCount(); ++i) ansi->AddObject(WideToAnsi(Get(i)), GetObject(i));
}

bool TWideStrings::Equals(const TWideStrings* Strings) const {
    const Integer count = GetCount();
    if (!Strings || count != Strings->GetCount()) return false;
    for (Integer i = 0; i < count; ++i)
        if (Get(i) != Strings->Get(i)) return false;
    return true;
}

void TWideStrings::Exchange(Integer Index1, Integer Index2) {
    const auto update = UpdateScope(*this);
    TObject* object = GetObject(Index1);
    const WideString text = Get(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, text);
    PutObject(Index2, object);
}

WideString TWideStrings::GetTextStr() const {
    const Integer count = GetCount();
    std::vector<WideString> lines;
    lines.reserve(static_cast<std::size_t>(count));
    std::size_t size = 0;
    for (Integer i = 0; i < count; ++i) {
        lines.push_back(Get(i));
        size += lines.back().size() + 2;
    }
    WideString text;
    text.reserve(size);
    for (const WideString& line : lines) {
        text += line;
        text += u"\r\n";
    }
    return text;
}

std::unique_ptr<WideChar[]> TWideStrings::GetText() const {
    const WideString text = GetTextStr();
    auto buffer = std::make_unique<WideChar[]>(text.size() + 1);
    std::copy(text.begin(), text.end(), buffer.get());
    buffer[text.size()] = u'\0';
    return buffer;
}

Integer TWideStrings::IndexOf(const WideString& S) const {
    const TWideCompare compare = WideCompare();
    const Integer count = GetCount();
    for (Integer i = 0; i < count; ++i)
        if (compare(locale_, Get(i), S) == 0) return i;
    return -1;
}

void TWideStrings::Move(Integer CurIndex, Integer NewIndex) {
    if (CurIndex == NewIndex) return;
    const auto update = UpdateScope(*this);
    TObject* object = GetObject(CurIndex);
    const WideString text = Get(CurIndex);
    Delete(CurIndex);
    Insert(NewIndex, text);
    PutObject(NewIndex, object);
}

void TWideStrings::Put(Integer Index, const WideString& S) {
    const auto update = UpdateScope(*this);
    TObject* object = GetObject(Index);
    Delete(Index);
    Insert(Index, S);
    PutObject(Index, object);
}

// A CR followed by LF breaks once; a break at the very end makes no empty last string.
void TWideStrings::SetTextStr(const WideString& Value) {
    const auto update = UpdateScope(*this);
    Clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i < Value.size(); ++i) {
        const WideChar c = Value[i];
        if (!IsLineBreak(c)) continue;
        Add(Value.substr(start, i - start));
        if (c == u'\r' && i + 1 < Value.size() && Value[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < Value.size()) Add(Value.substr(start));
}

void TWideStrings::SetText(const WideChar* Text) { SetTextStr(Text ? WideString(Text) : WideString()); }

namespace {

// Items.WideStrings = ('first' #26085#26412): written when the list holds any string.
void PublishTWideStrings(TPublisher& p) {
    p.Property({"WideStrings",
                [](TObject& o, const TFormValue& v, TReadContext&) {
                    if (v.Kind != TFormValue::vaList) RaiseInvalidPropertyValue(v);
                    auto& list = static_cast<TWideStrings&>(o);
                    const auto update = UpdateScope(list);
                    list.Clear();
                    for (const TFormValue& item : v.List) list.Add(item.AsWideString());
                },
                [](TObject& o) {
                    auto& list = static_cast<TWideStrings&>(o);
                    TFormValue v;
                    if (list.Count() == 0) return v;
                    v.Kind = TFormValue::vaList;
                    for (Integer i = 0; i < list.Count(); ++i) v.List.push_back(FormWideString(list.Strings(i)));
                    return v;
                },
                {}});
}

}  // namespace

VCL_IMPLEMENT_CLASS(TWideStrings, nullptr, PublishTWideStrings)

// ---------------------------------------------------------------------------
// TAnsiStringsForWideStrings

Integer TAnsiStringsForWideStrings::Add(const AnsiString& S) { return wideStrings_->Add(AnsiToWide(S)); }

Integer TAnsiStringsForWideStrings::AddObject(const AnsiString& S, TObject* AObject) {
    return wideStrings_->AddObject(AnsiToWide(S), AObject);
}

void TAnsiStringsForWideStrings::Clear() { wideStrings_->Clear(); }
void TAnsiStringsForWideStrings::Delete(Integer Index) { wideStrings_->Delete(Index); }

void TAnsiStringsForWideStrings::Insert(Integer Index, const AnsiString& S) {
    wideStrings_->Insert(Index, AnsiToWide(S));
}

void TAnsiStringsForWideStrings::Exchange(Integer Index1, Integer Index2) { wideStrings_->Exchange(Index1, Index2); }
void TAnsiStringsForWideStrings::Move(Integer CurIndex, Integer NewIndex) { wideStrings_->Move(CurIndex, NewIndex); }

Integer TAnsiStringsForWideStrings::IndexOf(const AnsiString& S) const { return wideStrings_->IndexOf(AnsiToWide(S)); }

AnsiString TAnsiStringsForWideStrings::Get(Integer Index) const { return WideToAnsi(wideStrings_->Strings(Index)); }
Integer TAnsiStringsForWideStrings::GetCount() const { return wideStrings_->Count(); }
TObject* TAnsiStringsForWideStrings::GetObject(Integer Index) const { return wideStrings_->Objects(Index); }

void TAnsiStringsForWideStrings::Put(Integer Index, const AnsiString& S) {
    wideStrings_->SetStrings(Index, AnsiToWide(S));
}

void TAnsiStringsForWideStrings::PutObject(Integer Index, TObject* AObject) {
    wideStrings_->SetObjects(Index, AObject);
}

AnsiString TAnsiStringsForWideStrings::GetTextStr() const { return WideToAnsi(wideStrings_->Text()); }

void TAnsiStringsForWideStrings::SetTextStr(const AnsiString& Value) { wideStrings_->SetText(AnsiToWide(Value)); }

void TAnsiStringsForWideStrings::SetUpdateState(bool Updating) {
    if (Updating) wideStrings_->BeginUpdate();
    else wideStrings_->EndUpdate();
}

VCL_IMPLEMENT_CLASS(TAnsiStringsForWideStrings, nullptr, nullptr)

}  // namespace GrdUni
