// The spreadsheet automation server over libfreexl. The library keeps no selected sheet tab, so the first
// sheet is the active one.
#include "ComObj/SpreadsheetServer.h"

#include <freexl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "System/Codepage.h"
#include "vcl/SheetRange.h"

namespace {

// An open .xls file; closing it leaves every object made from it failing.
class TBookFile {
public:
    explicit TBookFile(const AnsiString& FileName) {
        if (freexl_open(codepage::AnsiToUtf8(FileName).c_str(), &handle_) != FREEXL_OK) {
            Close();
            throw EOleException("Cannot open workbook " + FileName);
        }
        unsigned int count = 0;
        freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count);
        sheetCount_ = static_cast<Integer>(count);
    }
    ~TBookFile() { Close(); }
    TBookFile(const TBookFile&) = delete;
    TBookFile& operator=(const TBookFile&) = delete;

    void Close() {
        if (handle_) freexl_close(handle_);
        handle_ = nullptr;
    }
    Integer SheetCount() const { return sheetCount_; }
    AnsiString SheetName(Integer Index) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(Handle(), static_cast<unsigned short>(Index), &name) != FREEXL_OK || !name)
            return {};
        return codepage::Utf8ToAnsi(name);
    }
    // The sheet's rows and columns as the file gives them; its cells are read from then on.
    void Select(Integer Index, Integer& Rows, Integer& Cols) {
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_select_active_worksheet(Handle(), static_cast<unsigned short>(Index)) != FREEXL_OK ||
            freexl_worksheet_dimensions(Handle(), &rows, &cols) != FREEXL_OK)
            throw EOleException("Cannot read worksheet " + SheetName(Index));
        Rows = static_cast<Integer>(std::min<unsigned int>(rows, SheetMaxRows));
        Cols = std::min<Integer>(cols, SheetMaxCols);
    }
    // A cell of the selected sheet, 0-based: a number, a date, text, or Unassigned.
    Variant Cell(Integer Row, Integer Col) {
        FreeXL_CellValue cell{};
        if (freexl_get_cell_value(Handle(), static_cast<unsigned int>(Row), static_cast<unsigned short>(Col), &cell) !=
            FREEXL_OK)
            return {};
        switch (cell.type) {
            case FREEXL_CELL_INT: return Variant(static_cast<Integer>(cell.value.int_value));
            case FREEXL_CELL_DOUBLE: return Variant(cell.value.double_value);
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT: return Variant(codepage::Utf8ToAnsi(cell.value.text_value));
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME: return DateValue(cell.value.text_value);
            default: return {};
        }
    }

private:
    const void* Handle() const {
        if (!handle_) throw EOleException("The workbook is closed");
        return handle_;
    }
    // "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS"; a text that is none stays text.
    static Variant DateValue(const char* Text) {
        unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
        TDateTime date = 0.0;
        TDateTime time = 0.0;
        const auto parts = [&](const char* Format, auto*... Fields) { return std::sscanf(Text, Format, Fields...); };
        bool ok = false;
        if (parts("%4u-%2u-%2u %2u:%2u:%2u", &year, &month, &day, &hour, &minute, &second) == 6)
            ok = TryEncodeDate(Word(year), Word(month), Word(day), date) &&
                 TryEncodeTime(Word(hour), Word(minute), Word(second), 0, time);
        else if (parts("%4u-%2u-%2u", &year, &month, &day) == 3)
            ok = TryEncodeDate(Word(year), Word(month), Word(day), date);
        else if (parts("%2u:%2u:%2u", &hour, &minute, &second) == 3)
            ok = TryEncodeTime(Word(hour), Word(minute), Word(second), 0, time);
        return ok ? VarFromDateTime(date + time) : Variant(codepage::Utf8ToAnsi(Text));
    }

    const void* handle_ = nullptr;
    Integer sheetCount_ = 0;
};

using TBook = std::shared_ptr<TBookFile>;

class TRange : public IDispatch {
public:
    TRange(TBook Book, Integer Sheet, const TSheetRange& Box) : book_(std::move(Book)), sheet_(Sheet), box_(Box) {}
    Variant Invoke(const AnsiString& Name, std::span<const Variant> Args, std::span<const TNamedParam>) override {
        OleCheckArgs(Name, Args, 0);
        if (SameText(Name, "Address")) return Variant(SheetRangeAddress(box_, true));
        if (SameText(Name, "Value")) return Value();
        OleUnknownMember(Name);
    }

private:
    Variant Value() {
        Integer rows = 0, cols = 0;
        book_->Select(sheet_, rows, cols);
        const auto cell = [&](Integer Row, Integer Col) {
            return Row < rows && Col < cols ? book_->Cell(Row, Col) : Variant();
        };
        if (box_.ColCount() == 1 && box_.RowCount() == 1) return cell(box_.FirstRow - 1, box_.FirstCol - 1);
        Variant values = VarArrayCreate({1, box_.RowCount(), 1, box_.ColCount()});
        for (Integer r = 1; r <= box_.RowCount(); ++r)
            for (Integer c = 1; c <= box_.ColCount(); ++c) {
                Variant value = cell(box_.FirstRow + r - 2, box_.FirstCol + c - 2);
                if (!value.IsEmpty()) VarArrayPut(values, value, {r, c});
            }
        return values;
    }

    TBook book_;
    Integer sheet_;
    TSheetRange box_;
};

class TSheet : public IDispatch {
public:
    TSheet(TBook Book, Integer Index) : book_(std::move(Book)), index_(Index) {}
    Variant Invoke(const AnsiString& Name, std::span<const Variant> Args, std::span<const TNamedParam>) override {
        if (SameText(Name, "Range")) {
            OleCheckArgs(Name, Args, 1);
            TSheetRange box;
            if (!ParseSheetRange(Args[0].AsString(), box))
                throw EOleException("Invalid range address " + Args[0].AsString());
            return MakeRange(box);
        }
        OleCheckArgs(Name, Args, 0);
        if (SameText(Name, "Name")) return Variant(book_->SheetName(index_));
        if (SameText(Name, "UsedRange")) return MakeRange(UsedBox());
        OleUnknownMember(Name);
    }

private:
    Variant MakeRange(const TSheetRange& Box) { return Variant(std::make_shared<TRange>(book_, index_, Box)); }
    // The box of the non-empty cells; A1 for a sheet without any.
    TSheetRange UsedBox() {
        Integer rows = 0, cols = 0;
        book_->Select(index_, rows, cols);
        TSheetRange box{SheetMaxCols + 1, SheetMaxRows + 1, 0, 0};
        for (Integer r = 0; r < rows; ++r)
            for (Integer c = 0; c < cols; ++c)
                if (!book_->Cell(r, c).IsEmpty()) {
                    box.FirstCol = std::min(box.FirstCol, c + 1);
                    box.FirstRow = std::min(box.FirstRow, r + 1);
                    box.LastCol = std::max(box.LastCol, c + 1);
                    box.LastRow = std::max(box.LastRow, r + 1);
                }
        return box.LastCol == 0 ? TSheetRange{} : box;
    }

    TBook book_;
    Integer index_;
};

class TSheets : public IDispatch {
public:
    explicit TSheets(TBook Book) : book_(std::move(Book)) {}
    Variant Invoke(const AnsiString& Name, std::span<const Variant> Args, std::span<const TNamedParam>) override {
        if (SameText(Name, "Count")) {
            OleCheckArgs(Name, Args, 0);
            return Variant(book_->SheetCount());
        }
        if (SameText(Name, "Item")) {
            OleCheckArgs(Name, Args, 1);
            return Sheet(book_, Args[0].AsInteger());
        }
        OleUnknownMember(Name);
    }
    // Sheet Index of the book, from 1.
    static Variant Sheet(const TBook& Book, Integer Index) {
        if (Index < 1 || Index > Book->SheetCount()) throw EOleException("Invalid index");
        return Variant(std::make_shared<TSheet>(Book, Index - 1));
    }

private:
    TBook book_;
};

class TWorkbook : public IDispatch {
public:
    explicit TWorkbook(TBook Book) : book_(std::move(Book)) {}
    Variant Invoke(const AnsiString& Name, std::span<const Variant> Args, std::span<const TNamedParam>) override {
        if (SameText(Name, "Sheets")) {
            if (Args.empty()) return Variant(std::make_shared<TSheets>(book_));
            OleCheckArgs(Name, Args, 1);
            return TSheets::Sheet(book_, Args[0].AsInteger());
        }
        OleCheckArgs(Name, Args, 0);
        // Nothing is ever written: closing with or without saving is the same.
        if (SameText(Name, "Close")) {
            book_->Close();
            return {};
        }
        if (SameText(Name, "ActiveSheet")) return TSheets::Sheet(book_, 1);
        OleUnknownMember(Name);
    }

private:
    TBook book_;
};

class TApplication : public IDispatch {
public:
    Variant Invoke(const AnsiString& Name, std::span<const Variant> Args, std::span<const TNamedParam>) override {
        if (SameText(Name, "WorkBooks")) {
            OleCheckArgs(Name, Args, 0);
            return Variant(workBooks_);
        }
        if (SameText(Name, "Quit")) {
            OleCheckArgs(Name, Args, 0);
            workBooks_->CloseAll();
            return {};
        }
        OleUnknownMember(Name);
    }

private:
    class TWorkBooks : public IDispatch {
    public:
        Variant Invoke(const AnsiString& Name, std::span<const Variant> Args, std::span<const TNamedParam>) override {
            if (!SameText(Name, "Open")) OleUnknownMember(Name);
            OleCheckArgs(Name, Args, 1);
            books_.push_back(std::make_shared<TBookFile>(Args[0].AsString()));
            return Variant(std::make_shared<TWorkbook>(books_.back()));
        }
        void CloseAll() {
            for (const TBook& book : books_) book->Close();
            books_.clear();
        }

    private:
        std::vector<TBook> books_;
    };
    std::shared_ptr<TWorkBooks> workBooks_ = std::make_shared<TWorkBooks>();
};

}  // namespace

std::shared_ptr<IDispatch> CreateSpreadsheetServer() { return std::make_shared<TApplication>(); }
