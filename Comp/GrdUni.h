#pragma once
// The grid's Unicode editors: a list of wide strings with its single-byte adapter, and the edit and the
// combo whose windows are Unicode windows, trapped so that the class library still gets the messages it
// expects while the window keeps and shows wide text.

#include <memory>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/StdCtrls.h"
#include "vcl/Windows.h"
#include "grdcombo.h"

namespace GrdUni {

// The unit's start-up: the wide compare function for the version answer and the trap's atom; its exit
// deletes the atom.
void InitGrdUniUnit();
void DoneGrdUniUnit();

// Both ignore case; negative, 0 for equal, positive.
using TWideCompare = int (*)(LCID Locale, const WideString& S1, const WideString& S2);
TWideCompare WideCompare();
// The atom naming the window property that leads from a window to its trap (0 before start-up).
ATOM TrapAtom();

class TWideStrings;

// The single-byte face of a wide list: every operation goes to the wide list, converting.
class TAnsiStringsForWideStrings : public TStrings {
    VCL_CLASS(TAnsiStringsForWideStrings, TStrings)
    explicit TAnsiStringsForWideStrings(TWideStrings* WideStrings) : wideStrings_(WideStrings) {}

    Integer Add(const AnsiString& S) override;
    Integer AddObject(const AnsiString& S, TObject* AObject) override;
    void Clear() override;
    void Delete(Integer Index) override;
    void Insert(Integer Index, const AnsiString& S) override;
    void Exchange(Integer Index1, Integer Index2) override;
    void Move(Integer CurIndex, Integer NewIndex) override;
    Integer IndexOf(const AnsiString& S) const override;

protected:
    AnsiString Get(Integer Index) const override;
    Integer GetCount() const override;
    TObject* GetObject(Integer Index) const override;
    void Put(Integer Index, const AnsiString& S) override;
    void PutObject(Integer Index, TObject* AObject) override;
    AnsiString GetTextStr() const override;
    void SetTextStr(const AnsiString& Value) override;
    void SetUpdateState(bool Updating) override;

private:
    TWideStrings* wideStrings_;
};

// A list of wide strings with objects; descendants keep the strings.
class TWideStrings : public TPersistent {
    VCL_CLASS(TWideStrings, TPersistent)
    TWideStrings();
    ~TWideStrings() override;

    // From a wide list: its strings and objects; from a single-byte list: its strings converted.
    void Assign(TPersistent* Source) override;

    TAnsiStringsForWideStrings* AnsiStrings() const { return ansiStrings_.get(); }
    void SetAnsiStrings(TStrings* Value) { ansiStrings_->Assign(Value); }
    Integer Count() const { return GetCount(); }
    WideString Strings(Integer Index) const { return Get(Index); }
    void SetStrings(Integer Index, const WideString& S) { Put(Index, S); }
    TObject* Objects(Integer Index) const { return GetObject(Index); }
    void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }
    Integer Capacity() const { return GetCapacity(); }
    // Every string followed by CR LF; setting splits at LF, VT, FF, CR, CR LF, U+2028 and U+2029.
    WideString Text() const { return GetTextStr(); }
    void SetText(const WideString& Value) { SetTextStr(Value); }
    LCID Locale() const { return locale_; }

    // Only the outermost pair reaches SetUpdateState.
    void BeginUpdate();
    void EndUpdate();
    Integer UpdateCount() const { return updateCount_; }
    // Same count and the same strings, compared exactly.
    bool Equals(const TWideStrings* Strings) const;

    // The list's slots, in order.
protected:
    virtual WideString Get(Integer Index) const = 0;
    virtual Integer GetCapacity() const { return GetCount(); }
    virtual Integer GetCount() const = 0;
    virtual TObject* GetObject(Integer /*Index*/) const { return nullptr; }
    virtual WideString GetTextStr() const;
    // Replaces the string and keeps its object.
    virtual void Put(Integer Index, const WideString& S);
    virtual void PutObject(Integer /*Index*/, TObject* /*AObject*/) {}
    virtual void SetCapacity(Integer /*NewCapacity*/) {}
    virtual void SetTextStr(const WideString& Value);
    virtual void SetUpdateState(bool /*Updating*/) {}

public:
    virtual void SetLocale(LCID Value) { locale_ = Value; }
    virtual Integer Add(const WideString& S);
    virtual Integer AddObject(const WideString& S, TObject* AObject);
    virtual void AddStrings(TStrings* Strings);
    virtual void AddStrings(TWideStrings* Strings);
    virtual void Clear() = 0;
    virtual void Delete(Integer Index) = 0;
    virtual void Exchange(Integer Index1, Integer Index2);
    // The text in a new zero-terminated buffer.
    virtual std::unique_ptr<WideChar[]> GetText() const;
    // The first string equal to S under the wide compare function (case ignored); -1 when none is.
    virtual Integer IndexOf(const WideString& S) const;
    virtual void Insert(Integer Index, const WideString& S) = 0;
    virtual void Move(Integer CurIndex, Integer NewIndex);
    virtual void SetText(const WideChar* Text);

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    std::unique_ptr<TAnsiStringsForWideStrings> ansiStrings_;
    Integer updateCount_ = 0;
    LCID locale_;
};

}  // namespace GrdUni
