#pragma once
// Records what is drawn on a canvas (and on its device context) while it lives, and picks out the calls
// layout tests read: theme drawings (class, part, state, rectangle), image draws (rectangle) and text
// (where, what, the font's escapement).

#include <cstdlib>
#include <string>
#include <vector>

#include "vcl/Graphics.h"

class TCanvasRecorder {
public:
    explicit TCanvasRecorder(TCanvas* Canvas) : canvas_(Canvas) { canvas_->SetRecorder(&lines_); }
    ~TCanvasRecorder() { canvas_->SetRecorder(nullptr); }
    TCanvasRecorder(const TCanvasRecorder&) = delete;
    TCanvasRecorder& operator=(const TCanvasRecorder&) = delete;

    const std::vector<AnsiString>& Lines() const { return lines_; }
    void Clear() { lines_.clear(); }

    struct TThemeCall {
        AnsiString Class;
        int Part = 0;
        int State = 0;
        TRect Rect;
        friend bool operator==(const TThemeCall&, const TThemeCall&) = default;
    };
    // "DrawThemeBackground <class> <part> <state> <rect>"
    std::vector<TThemeCall> ThemeCalls() const {
        std::vector<TThemeCall> calls;
        for (const AnsiString& line : Lines("DrawThemeBackground ")) {
            const std::vector<AnsiString> words = Words(line);
            if (words.size() < 5) continue;
            calls.push_back({words[1], std::atoi(words[2].c_str()), std::atoi(words[3].c_str()), RectOf(words[4])});
        }
        return calls;
    }

    // "DrawImage <rect> <blend or raster operation>"
    std::vector<TRect> ImageDraws() const {
        std::vector<TRect> rects;
        for (const AnsiString& line : Lines("DrawImage ")) rects.push_back(RectOf(Words(line)[1]));
        return rects;
    }

    struct TTextCall {
        AnsiString Text;
        TPoint At;               // TextOut's cell; DrawText's rectangle's top left
        Integer Escapement = 0;  // tenths of a degree, 0 for upright text
    };
    // "TextOut <x,y> "<text>" font=... [esc=<n>] ..." and "DrawText <rect> <flags> "<text>" [esc=<n>]" (DrawTextW
    // logs its text in UTF-8)
    std::vector<TTextCall> TextCalls() const {
        std::vector<TTextCall> calls;
        for (const AnsiString& line : lines_) {
            const bool textOut = line.rfind("TextOut ", 0) == 0;
            if (!textOut && line.rfind("DrawText ", 0) != 0 && line.rfind("DrawTextW ", 0) != 0) continue;
            const std::size_t open = line.find('"');
            const std::size_t close = textOut ? line.rfind("\" font=") : line.rfind('"');
            if (open == AnsiString::npos || close == AnsiString::npos || close <= open) continue;
            TTextCall call;
            call.Text = line.substr(open + 1, close - open - 1);
            const TRect place = RectOf(Words(line)[1] + ",0,0");
            call.At = {place.Left, place.Top};
            const std::size_t esc = line.find(" esc=", close);
            if (esc != AnsiString::npos) call.Escapement = std::atoi(line.c_str() + esc + 5);
            calls.push_back(call);
        }
        return calls;
    }

private:
    std::vector<AnsiString> Lines(const char* Prefix) const {
        std::vector<AnsiString> found;
        for (const AnsiString& line : lines_)
            if (line.rfind(Prefix, 0) == 0) found.push_back(line);
        return found;
    }
    static std::vector<AnsiString> Words(const AnsiString& Line) {
        std::vector<AnsiString> words;
        std::size_t start = 0;
        while (start < Line.size()) {
            std::size_t end = Line.find(' ', start);
            if (end == AnsiString::npos) end = Line.size();
            if (end > start) words.push_back(Line.substr(start, end - start));
            start = end + 1;
        }
        return words;
    }
    // "l,t,r,b"
    static TRect RectOf(const AnsiString& Text) {
        int v[4] = {};
        const char* p = Text.c_str();
        for (int i = 0; i < 4 && *p; ++i) {
            char* end = nullptr;
            v[i] = static_cast<int>(std::strtol(p, &end, 10));
            p = *end == ',' ? end + 1 : end;
        }
        return {v[0], v[1], v[2], v[3]};
    }

    TCanvas* canvas_;
    std::vector<AnsiString> lines_;
};
