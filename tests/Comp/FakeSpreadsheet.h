#pragma once
// A spreadsheet automation server under the grid's ProgID for as long as it lives: one workbook of the
// sheets given, each with the used-range address and the Value it answers, recording the calls it gets.

#include <memory>
#include <utility>
#include <vector>

#include "vcl/ComObj.h"
#include "vcl/Forms.h"

class TFakeSpreadsheet {
public:
    struct TSheet {
        AnsiString Name;
        AnsiString UsedAddress;
        Variant Values;  // what Range(...).Value gives, whatever the address
    };
    std::vector<TSheet> Sheets;
    bool OpenFails = false;
    // "Open <name>", "Range <address>", "Close SaveChanges=<value>", "Quit", in order.
    std::vector<AnsiString> Calls;
    TCursor CursorAtOpen = crDefault;

    TFakeSpreadsheet()
        : previous_(RegisterOleServer("excel.application", [this] { return std::make_shared<TApplication>(*this); })) {}
    ~TFakeSpreadsheet() { RegisterOleServer("excel.application", previous_); }
    TFakeSpreadsheet(const TFakeSpreadsheet&) = delete;
    TFakeSpreadsheet& operator=(const TFakeSpreadsheet&) = delete;

    // An object with no members, for values that hold one.
    class TStub : public IDispatch {
    public:
        Variant Invoke(const AnsiString& Name, std::span<const Variant>, std::span<const TNamedParam>) override {
            OleUnknownMember(Name);
        }
    };

private:
    // Each object answers its members by name; Server is the fake it reports to.
    class TMember : public IDispatch {
    public:
        explicit TMember(TFakeSpreadsheet& Server) : server_(Server) {}
        Variant Invoke(const AnsiString& Name, std::span<const Variant> Args,
                       std::span<const TNamedParam> NamedArgs) override {
            return Member(Name, Args, NamedArgs);
        }

    protected:
        virtual Variant Member(const AnsiString& Name, std::span<const Variant> Args,
                               std::span<const TNamedParam> NamedArgs) = 0;
        template <typename T, typename... A>
        Variant Make(A&&... Args) {
            return Variant(std::make_shared<T>(server_, std::forward<A>(Args)...));
        }
        TFakeSpreadsheet& server_;
    };
    class TRange : public TMember {
    public:
        TRange(TFakeSpreadsheet& Server, std::size_t Sheet, AnsiString Address)
            : TMember(Server), sheet_(Sheet), address_(std::move(Address)) {}
        Variant Member(const AnsiString& Name, std::span<const Variant>, std::span<const TNamedParam>) override {
            if (SameText(Name, "Address")) return Variant(address_);
            if (SameText(Name, "Value")) return server_.Sheets[sheet_].Values;
            OleUnknownMember(Name);
        }

    private:
        std::size_t sheet_;
        AnsiString address_;
    };
    class TSheetObject : public TMember {
    public:
        TSheetObject(TFakeSpreadsheet& Server, std::size_t Sheet) : TMember(Server), sheet_(Sheet) {}
        Variant Member(const AnsiString& Name, std::span<const Variant> Args, std::span<const TNamedParam>) override {
            if (SameText(Name, "Name")) return Variant(server_.Sheets[sheet_].Name);
            if (SameText(Name, "UsedRange")) return Make<TRange>(sheet_, server_.Sheets[sheet_].UsedAddress);
            if (SameText(Name, "Range")) {
                OleCheckArgs(Name, Args, 1);
                server_.Calls.push_back("Range " + Args[0].AsString());
                return Make<TRange>(sheet_, Args[0].AsString());
            }
            OleUnknownMember(Name);
        }

    private:
        std::size_t sheet_;
    };
    class TSheets : public TMember {
    public:
        using TMember::TMember;
        Variant Member(const AnsiString& Name, std::span<const Variant>, std::span<const TNamedParam>) override {
            if (SameText(Name, "Count")) return Variant(static_cast<Integer>(server_.Sheets.size()));
            OleUnknownMember(Name);
        }
    };
    class TBook : public TMember {
    public:
        using TMember::TMember;
        Variant Member(const AnsiString& Name, std::span<const Variant> Args,
                       std::span<const TNamedParam> NamedArgs) override {
            if (SameText(Name, "ActiveSheet")) return Make<TSheetObject>(std::size_t{0});
            if (SameText(Name, "Sheets") && Args.empty()) return Make<TSheets>();
            if (SameText(Name, "Sheets")) {
                const Integer index = Args[0].AsInteger();
                if (index < 1 || index > static_cast<Integer>(server_.Sheets.size()))
                    throw EOleException("Invalid index");
                return Make<TSheetObject>(static_cast<std::size_t>(index - 1));
            }
            if (SameText(Name, "Close")) {
                AnsiString call = "Close";
                for (const TNamedParam& arg : NamedArgs) call += " " + arg.Name + "=" + arg.Value.AsString();
                server_.Calls.push_back(call);
                return {};
            }
            OleUnknownMember(Name);
        }
    };
    class TBooks : public TMember {
    public:
        using TMember::TMember;
        Variant Member(const AnsiString& Name, std::span<const Variant> Args, std::span<const TNamedParam>) override {
            if (!SameText(Name, "Open")) OleUnknownMember(Name);
            OleCheckArgs(Name, Args, 1);
            server_.Calls.push_back("Open " + Args[0].AsString());
            server_.CursorAtOpen = Screen->Cursor();
            if (server_.OpenFails) throw EOleException("Cannot open workbook " + Args[0].AsString());
            return Make<TBook>();
        }
    };
    class TApplication : public TMember {
    public:
        using TMember::TMember;
        Variant Member(const AnsiString& Name, std::span<const Variant>, std::span<const TNamedParam>) override {
            if (SameText(Name, "WorkBooks")) return Make<TBooks>();
            if (SameText(Name, "Quit")) {
                server_.Calls.push_back("Quit");
                return {};
            }
            OleUnknownMember(Name);
        }
    };

    TOleServerFactory previous_;
};
