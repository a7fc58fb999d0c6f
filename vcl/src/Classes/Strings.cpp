// TStrings: the abstract string list and the behaviour every descendant shares.
#include "vcl/Classes.h"
#include "vcl/ScopeGuard.h"

static void PublishTStrings(TPublisher& p) {
    // Lines.Strings = ('first' 'second')
    p.Property({"Strings",
                [](TObject& o, const TFormValue& v, TReadContext&) {
                    if (v.Kind != TFormValue::vaList) RaiseInvalidPropertyValue(v);
                    auto& list = static_cast<TStrings&>(o);
                    list.BeginUpdate();
                    const TScopeExit endUpdate([&list] { list.EndUpdate(); });
                    list.Clear();
                    for (const TFormValue& line : v.List) list.Add(line.AsString());
                },
                [](TObject& o) {
                    auto& list = static_cast<TStrings&>(o);
                    TFormValue v;
                    v.Kind = TFormValue::vaList;
                    for (Integer i = 0; i < list.Count(); ++i) v.List.push_back(FormString(list.Strings(i)));
                    return v;
                },
                {}});
}

VCL_IMPLEMENT_CLASS(TStrings, nullptr, PublishTStrings)

namespace {

// Keeps a BeginUpdate/EndUpdate pair balanced when the work in between raises.
auto UpdateScope(TStrings& List) {
    List.BeginUpdate();
    return TScopeExit([&List] { List.EndUpdate(); });
}

bool IsBlank(char c) { return c >= 1 && c <= ' '; }

}  // namespace

Integer TStrings::Add(const AnsiString& S) {
    Integer index = GetCount();
    Insert(index, S);
    return index;
}

Integer TStrings::AddObject(const AnsiString& S, TObject* AObject) {
    Integer index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TStrings::InsertObject(Integer Index, const AnsiString& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::AddStrings(TStrings* Strings) {
    const auto update = UpdateScope(*this);
    for (Integer i = 0; i < Strings->Count(); ++i) AddObject(Strings->Strings(i), Strings->Objects(i));
}

void TStrings::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TStrings*>(Source);
    if (!source) return TPersistent::Assign(Source);
    if (source == this) return;
    const auto update = UpdateScope(*this);
    Clear();
    delimiter_ = source->delimiter_;
    quoteChar_ = source->quoteChar_;
    nameValueSeparator_ = source->nameValueSeparator_;
    AddStrings(source);
}

void TStrings::Put(Integer Index, const AnsiString& S) {
    TObject* object = GetObject(Index);
    const auto update = UpdateScope(*this);
    Delete(Index);
    InsertObject(Index, S, object);
}

void TStrings::Exchange(Integer Index1, Integer Index2) {
    const auto update = UpdateScope(*this);
    AnsiString s1 = Get(Index1);
    TObject* o1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
    if (CurIndex == NewIndex) return;
    const auto update = UpdateScope(*this);
    AnsiString s = Get(CurIndex);
    TObject* object = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, object);
}

Integer TStrings::IndexOf(const AnsiString& S) const {
    for (Integer i = 0; i < GetCount(); ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

Integer TStrings::IndexOfName(const AnsiString& Name) const {
    for (Integer i = 0; i < GetCount(); ++i) {
        AnsiString line = Get(i);
        std::size_t separator = line.find(nameValueSeparator_);
        if (separator != AnsiString::npos && CompareStrings(line.substr(0, separator), Name) == 0) return i;
    }
    return -1;
}

Integer TStrings::IndexOfObject(TObject* AObject) const {
    for (Integer i = 0; i < GetCount(); ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

bool TStrings::Equals(TStrings* Strings) const {
    if (!Strings || Strings->Count() != GetCount()) return false;
    for (Integer i = 0; i < GetCount(); ++i)
        if (Get(i) != Strings->Get(i)) return false;
    return true;
}

AnsiString TStrings::Names(Integer Index) const {
    AnsiString line = Get(Index);
    std::size_t separator = line.find(nameValueSeparator_);
    return separator == AnsiString::npos ? AnsiString() : line.substr(0, separator);
}

AnsiString TStrings::ValueFromIndex(Integer Index) const {
    AnsiString line = Get(Index);
    std::size_t separator = line.find(nameValueSeparator_);
    return separator == AnsiString::npos ? AnsiString() : line.substr(separator + 1);
}

AnsiString TStrings::Values(const AnsiString& Name) const {
    Integer index = IndexOfName(Name);
    return index < 0 ? AnsiString() : ValueFromIndex(index);
}

void TStrings::SetValues(const AnsiString& Name, const AnsiString& Value) {
    Integer index = IndexOfName(Name);
    if (Value.empty()) {
        if (index >= 0) Delete(index);
        return;
    }
    if (index < 0) index = Add(Name + nameValueSeparator_ + Value);
    else Put(index, Name + nameValueSeparator_ + Value);
}

AnsiString TStrings::GetTextStr() const {
    AnsiString text;
    for (Integer i = 0; i < GetCount(); ++i) text += Get(i) + "\r\n";
    return text;
}

void TStrings::SetTextStr(const AnsiString& Value) {
    const auto update = UpdateScope(*this);
    Clear();
    // The text ends at a NUL, as a C string would.
    std::size_t end = Value.find('\0');
    if (end == AnsiString::npos) end = Value.size();
    std::size_t start = 0;
    while (start < end) {
        std::size_t stop = start;
        while (stop < end && Value[stop] != '\r' && Value[stop] != '\n') ++stop;
        Add(Value.substr(start, stop - start));
        if (stop < end && Value[stop] == '\r') ++stop;
        if (stop < end && Value[stop] == '\n') ++stop;
        start = stop;
    }
}

AnsiString TStrings::JoinDelimited(char Delim, char Quote) const {
    if (GetCount() == 1 && Get(0).empty()) return AnsiString(2, Quote);
    AnsiString result;
    for (Integer i = 0; i < GetCount(); ++i) {
        if (i > 0) result += Delim;
        AnsiString s = Get(i);
        // Quoted when a blank, a control character, the quote or the delimiter comes before any NUL.
        bool quote = false;
        for (char c : s) {
            if (c == '\0') break;
            if (static_cast<unsigned char>(c) <= ' ' || c == Quote || c == Delim) {
                quote = true;
                break;
            }
        }
        if (!quote) {
            result += s;
            continue;
        }
        result += Quote;
        for (char c : s) {
            result += c;
            if (c == Quote) result += Quote;
        }
        result += Quote;
    }
    return result;
}

void TStrings::SplitDelimited(const AnsiString& Value, char Delim, char Quote) {
    const auto update = UpdateScope(*this);
    Clear();
    std::size_t end = Value.find('\0');
    if (end == AnsiString::npos) end = Value.size();
    std::size_t p = 0;
    auto skipBlanks = [&] {
        while (p < end && IsBlank(Value[p])) ++p;
    };
    skipBlanks();
    while (p < end) {
        AnsiString item;
        if (Value[p] == Quote) {
            // Doubled quotes stand for one; an unterminated quote runs to the end.
            for (++p; p < end; ++p) {
                if (Value[p] != Quote) {
                    item += Value[p];
                } else if (p + 1 < end && Value[p + 1] == Quote) {
                    item += Quote;
                    ++p;
                } else {
                    ++p;
                    break;
                }
            }
        } else {
            std::size_t start = p;
            while (p<end&& static_cast<unsigned char>(Value[p])> ' ' && Value[p] != Delim) ++p;
            item = Value.substr(start, p - start);
        }
        Add(item);
        skipBlanks();
        if (p < end && Value[p] == Delim) {
            if (p + 1 == end) Add(AnsiString());
            ++p;
            skipBlanks();
        }
    }
}

AnsiString TStrings::CommaText() const { return JoinDelimited(',', '"'); }
void TStrings::SetCommaText(const AnsiString& Value) { SplitDelimited(Value, ',', '"'); }
AnsiString TStrings::DelimitedText() const { return JoinDelimited(delimiter_, quoteChar_); }
void TStrings::SetDelimitedText(const AnsiString& Value) { SplitDelimited(Value, delimiter_, quoteChar_); }

int TStrings::CompareStrings(const AnsiString& S1, const AnsiString& S2) const { return AnsiCompareText(S1, S2); }

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::LoadFromStream(TStream* Stream) { SetTextStr(Stream->ReadRest()); }

void TStrings::SaveToStream(TStream* Stream) const {
    AnsiString text = GetTextStr();
    Stream->WriteBuffer(text.data(), CheckedCast<Integer>(text.size()));
}

void TStrings::LoadFromFile(const AnsiString& FileName) {
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

void TStrings::SaveToFile(const AnsiString& FileName) const {
    TFileStream file(FileName, fmCreate);
    SaveToStream(&file);
}
