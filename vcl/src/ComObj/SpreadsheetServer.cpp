// The spreadsheet automation server over libfreexl. The library keeps no selected sheet tab, so the first
// sheet is the active one.
#include "ComObj/SpreadsheetServer.h"

#include <freexl.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "System/Codepage.h"
#include "vcl/SheetRange.h"

namespace {

// What the reading process sends for a sheet: its name, its size (-1 rows: the sheet cannot be read), then
// its non-empty cells in row order.
enum TCellKind : unsigned char { ckEnd, ckInteger, ckDouble, ckText, ckDate };

struct TSheetCell {
    Integer Row = 0, Col = 0;
    Variant Value;
};

struct TSheetData {
    AnsiString Name;
    Integer Rows = -1, Cols = 0;
    std::vector<TSheetCell> Cells;  // in row, then column order
};

// The reading process's side: the workbook as one stream of bytes on a pipe.
class TBookWriter {
public:
    explicit TBookWriter(int Fd) : fd_(Fd) {}
    void Bytes(const void* Data, std::size_t Size) {
        out_.append(static_cast<const char*>(Data), Size);
        if (out_.size() >= 65536) Flush();
    }
    template <class T>
    void Value(T V) {
        Bytes(&V, sizeof V);
    }
    void Text(const char* S) {
        const std::uint32_t size = S ? static_cast<std::uint32_t>(std::strlen(S)) : 0;
        Value(size);
        Bytes(S, size);
    }
    bool Flush() {
        for (std::size_t done = 0; done < out_.size();) {
            const ssize_t n = ::write(fd_, out_.data() + done, out_.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        out_.clear();
        return true;
    }

private:
    int fd_;
    std::string out_;
};

// Runs in the reading process: nothing but the library and the pipe.
bool WriteBook(const char* FileName, TBookWriter& Out) {
    const void* handle = nullptr;
    if (freexl_open(FileName, &handle) != FREEXL_OK) return false;
    unsigned int count = 0;
    freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count);
    Out.Value(count);
    for (unsigned short sheet = 0; sheet < count; ++sheet) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle, sheet, &name) != FREEXL_OK) name = nullptr;
        Out.Text(name);
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_select_active_worksheet(handle, sheet) != FREEXL_OK ||
            freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK) {
            Out.Value(std::int32_t{-1});
            continue;
        }
        const auto shownRows = static_cast<std::int32_t>(std::min<unsigned int>(rows, SheetMaxRows));
        const auto shownCols = static_cast<std::int32_t>(std::min<Integer>(cols, SheetMaxCols));
        Out.Value(shownRows);
        Out.Value(shownCols);
        for (std::int32_t r = 0; r < shownRows; ++r)
            for (std::int32_t c = 0; c < shownCols; ++c) {
                FreeXL_CellValue cell{};
                if (freexl_get_cell_value(handle, static_cast<unsigned int>(r), static_cast<unsigned short>(c),
                                          &cell) != FREEXL_OK)
                    continue;
                const auto head = [&](TCellKind Kind) {
                    Out.Value(Kind);
                    Out.Value(r);
                    Out.Value(c);
                };
                switch (cell.type) {
                    case FREEXL_CELL_INT: head(ckInteger), Out.Value(std::int32_t{cell.value.int_value}); break;
                    case FREEXL_CELL_DOUBLE: head(ckDouble), Out.Value(cell.value.double_value); break;
                    case FREEXL_CELL_TEXT:
                    case FREEXL_CELL_SST_TEXT: head(ckText), Out.Text(cell.value.text_value); break;
                    case FREEXL_CELL_DATE:
                    case FREEXL_CELL_DATETIME:
                    case FREEXL_CELL_TIME: head(ckDate), Out.Text(cell.value.text_value); break;
                    default: break;
                }
            }
        Out.Value(ckEnd);
    }
    freexl_close(handle);
    return Out.Flush();
}

// The parent's side of the pipe; any short read means the reading process failed.
class TBookReader {
public:
    explicit TBookReader(std::string Bytes) : bytes_(std::move(Bytes)) {}
    template <class T>
    T Value() {
        T v{};
        Take(&v, sizeof v);
        return v;
    }
    std::string Text() {
        const auto size = Value<std::uint32_t>();
        if (size > bytes_.size() - at_) throw std::out_of_range("text");
        std::string s = bytes_.substr(at_, size);
        at_ += size;
        return s;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    void Take(void* To, std::size_t Size) {
        if (Size > bytes_.size() - at_) throw std::out_of_range("value");
        std::memcpy(To, bytes_.data() + at_, Size);
        at_ += Size;
    }
    std::string bytes_;
    std::size_t at_ = 0;
};

// "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS"; a text that is none stays text.
Variant DateValue(const std::string& Text) {
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    TDateTime date = 0.0;
    TDateTime time = 0.0;
    const char* text = Text.c_str();
    const auto parts = [&](const char* Format, auto*... Fields) { return std::sscanf(text, Format, Fields...); };
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

// The library reads a damaged file past its own buffers: it runs in a process of its own, so such a file
// ends as a workbook that cannot be opened instead of taking the program with it.
std::vector<TSheetData> ReadWorkbook(const AnsiString& FileName) {
    const std::string path = codepage::AnsiToUtf8(FileName);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) throw EOleException("Cannot open workbook " + FileName);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        TBookWriter out(pipeFds[1]);
        ::_exit(WriteBook(path.c_str(), out) ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::string bytes;
    if (child > 0) {
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(pipeFds[0]);
    int status = 0;
    while (child > 0 && ::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (child <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw EOleException("Cannot open workbook " + FileName);
    try {
        TBookReader in(std::move(bytes));
        std::vector<TSheetData> sheets(in.Value<std::uint32_t>());
        for (TSheetData& sheet : sheets) {
            sheet.Name = codepage::Utf8ToAnsi(in.Text());
            sheet.Rows = in.Value<std::int32_t>();
            if (sheet.Rows < 0) continue;
            sheet.Cols = in.Value<std::int32_t>();
            for (auto kind = in.Value<TCellKind>(); kind != ckEnd; kind = in.Value<TCellKind>()) {
                TSheetCell cell;
                cell.Row = in.Value<std::int32_t>();
                cell.Col = in.Value<std::int32_t>();
                switch (kind) {
                    case ckInteger: cell.Value = Variant(static_cast<Integer>(in.Value<std::int32_t>())); break;
                    case ckDouble: cell.Value = Variant(in.Value<double>()); break;
                    case ckText: cell.Value = Variant(codepage::Utf8ToAnsi(in.Text())); break;
                    case ckDate: cell.Value = DateValue(in.Text()); break;
                    default: throw std::out_of_range("kind");
                }
                sheet.Cells.push_back(std::move(cell));
            }
        }
        if (!in.AtEnd()) throw std::out_of_range("trailing");
        return sheets;
    } catch (const std::out_of_range&) {
        throw EOleException("Cannot open workbook " + FileName);
    }
}

// An open .xls workbook, read whole; closing it leaves every object made from it failing.
class TBookFile {
public:
    explicit TBookFile(const AnsiString& FileName) : sheets_(ReadWorkbook(FileName)), open_(true) {}

    void Close() { open_ = false; }
    Integer SheetCount() const { return static_cast<Integer>(sheets_.size()); }
    AnsiString SheetName(Integer Index) const { return Sheet(Index).Name; }
    // The sheet's rows and columns as the file gives them.
    void Select(Integer Index, Integer& Rows, Integer& Cols) const {
        const TSheetData& sheet = Sheet(Index);
        if (sheet.Rows < 0) throw EOleException("Cannot read worksheet " + sheet.Name);
        Rows = sheet.Rows;
        Cols = sheet.Cols;
    }
    // A cell of the sheet, 0-based: a number, a date, text, or Unassigned.
    Variant Cell(Integer Index, Integer Row, Integer Col) const {
        const std::vector<TSheetCell>& cells = Sheet(Index).Cells;
        const auto at = std::lower_bound(
            cells.begin(), cells.end(), std::pair(Row, Col),
            [](const TSheetCell& C, const std::pair<Integer, Integer>& P) { return std::pair(C.Row, C.Col) < P; });
        return at != cells.end() && at->Row == Row && at->Col == Col ? at->Value : Variant();
    }
    // The sheet's non-empty cells in row order.
    const std::vector<TSheetCell>& Cells(Integer Index) const { return Sheet(Index).Cells; }

private:
    const TSheetData& Sheet(Integer Index) const {
        if (!open_) throw EOleException("The workbook is closed");
        return sheets_.at(static_cast<std::size_t>(Index));
    }

    std::vector<TSheetData> sheets_;
    bool open_;
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
            return Row < rows && Col < cols ? book_->Cell(sheet_, Row, Col) : Variant();
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
        for (const TSheetCell& cell : book_->Cells(index_)) {
            box.FirstCol = std::min(box.FirstCol, cell.Col + 1);
            box.FirstRow = std::min(box.FirstRow, cell.Row + 1);
            box.LastCol = std::max(box.LastCol, cell.Col + 1);
            box.LastRow = std::max(box.LastRow, cell.Row + 1);
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
