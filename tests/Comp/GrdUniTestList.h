#pragma once
// The plainest list of wide strings: strings and objects in vectors, with the update state counted.
// Tests, benchmarks and fuzzing drive the list's own algorithms through it.

#include <vector>

#include "GrdUni.h"
#include "vcl/SysUtils.h"

class TVectorWideStrings : public GrdUni::TWideStrings {
public:
    void Clear() override {
        strings_.clear();
        objects_.clear();
    }
    void Delete(Integer Index) override {
        Check(Index, Count());
        strings_.erase(strings_.begin() + Index);
        objects_.erase(objects_.begin() + Index);
    }
    void Insert(Integer Index, const WideString& S) override {
        Check(Index, Count() + 1);
        strings_.insert(strings_.begin() + Index, S);
        objects_.insert(objects_.begin() + Index, nullptr);
    }
    // The strings as kept, for peers that compare without copies.
    const std::vector<WideString>& Items() const { return strings_; }
    int UpdateStateChanges = 0;

protected:
    WideString Get(Integer Index) const override {
        Check(Index, Count());
        return strings_[static_cast<std::size_t>(Index)];
    }
    Integer GetCount() const override { return static_cast<Integer>(strings_.size()); }
    TObject* GetObject(Integer Index) const override {
        Check(Index, Count());
        return objects_[static_cast<std::size_t>(Index)];
    }
    void PutObject(Integer Index, TObject* AObject) override {
        Check(Index, Count());
        objects_[static_cast<std::size_t>(Index)] = AObject;
    }
    void SetUpdateState(bool) override { ++UpdateStateChanges; }

private:
    static void Check(Integer Index, Integer Limit) {
        if (Index < 0 || Index >= Limit) throw EStringListError("List index out of bounds");
    }
    std::vector<WideString> strings_;
    std::vector<TObject*> objects_;
};
