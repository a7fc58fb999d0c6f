// Fonts on the Qt side: Windows names mapped to installed families, and the metrics providers.
#include <algorithm>
#include <cctype>
#include <map>
#include <tuple>

#include <QFontMetrics>

#include "qt/QtGraphics.h"
#include "qt/QtText.h"

AnsiString MapFontName(const AnsiString& WindowsName) {
    AnsiString key;
    for (char c : WindowsName) key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static const std::map<AnsiString, AnsiString> families = {
        {"courier new", "Liberation Mono"},      {"courier", "Liberation Mono"},  {"lucida console", "Liberation Mono"},
        {"fixedsys", "Liberation Mono"},         {"terminal", "Liberation Mono"}, {"consolas", "Liberation Mono"},
        {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},   {"georgia", "Liberation Serif"},
        {"ms serif", "Liberation Serif"},
    };
    auto it = families.find(key);
    return it != families.end() ? it->second : AnsiString("Liberation Sans");
}

QColor ToQColor(TColor Color) {
    if (Color == clNone) return QColor(0, 0, 0, 0);
    COLORREF rgb = ColorToRGB(Color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

namespace {

QFont FamilyFont(const TFontDesc& Font) {
    QFont font(QString::fromLatin1(MapFontName(Font.Name).c_str()));
    font.setBold(Font.Style.Contains(fsBold));
    font.setItalic(Font.Style.Contains(fsItalic));
    font.setUnderline(Font.Style.Contains(fsUnderline));
    font.setStrikeOut(Font.Style.Contains(fsStrikeOut));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (Font.Pitch == fpFixed) font.setFixedPitch(true);
    return font;
}

// Pixel sizes a font is realised at: a height of 0 is the default font's, anything else is kept within
// what can be drawn at all.
constexpr Int64 DefaultPixelSize = 11;
constexpr Int64 MinPixelSize = 1;
constexpr Int64 MaxPixelSize = 1000;

QFont MakeQFont(const TFontDesc& Font) {
    EnsureQtApplication();
    QFont font = FamilyFont(Font);
    const Int64 height = Font.Height;
    Int64 size = DefaultPixelSize;
    if (height < 0) {
        size = -height;  // character height: the em size
    } else if (height > 0) {
        // Cell height: scale the em so that ascent plus descent comes to the height asked for.
        font.setPixelSize(100);
        const Int64 cell = std::max(QFontMetrics(font).height(), 1);
        size = height * 100 / cell;
    }
    font.setPixelSize(static_cast<int>(std::clamp(size, MinPixelSize, MaxPixelSize)));
    return font;
}

// What drawing and measuring need of one font description, made once.
struct TQtFontEntry {
    explicit TQtFontEntry(const TFontDesc& desc) : Font(MakeQFont(desc)), Metrics(Font) {
        Info.Ascent = Metrics.ascent();
        Info.Descent = Metrics.descent();
        Info.Height = Metrics.ascent() + Metrics.descent();
        Info.InternalLeading = std::max(0, Info.Height - Font.pixelSize());
        Info.ExternalLeading = std::max(0, Metrics.leading());
        Info.AveCharWidth = Metrics.averageCharWidth();
        Info.MaxCharWidth = Metrics.maxWidth();
    }
    QFont Font;
    QFontMetrics Metrics;
    TFontMetricsInfo Info;
};

// Font descriptions are few and drawn many times each: the entries stay for the program's life. The
// last one asked for is checked first, as runs of drawing use one font.
const TQtFontEntry& FontEntry(const TFontDesc& Desc) {
    using TKey = std::tuple<AnsiString, Integer, unsigned, int>;
    static std::map<TKey, TQtFontEntry> entries;
    static TFontDesc lastDesc;
    static const TQtFontEntry* last = nullptr;
    if (last && Desc == lastDesc) return *last;
    unsigned style = 0;
    for (TFontStyle s : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        if (Desc.Style.Contains(s)) style |= 1u << s;
    TKey key{Desc.Name, Desc.Height, style, Desc.Pitch};
    auto it = entries.find(key);
    if (it == entries.end()) it = entries.emplace(key, Desc).first;
    lastDesc = Desc;
    last = &it->second;
    return *last;
}

}  // namespace

const QFont& ToQFont(const TFontDesc& Font) { return FontEntry(Font).Font; }

namespace {

// The real fonts, measured by Qt.
class TQtFontMetrics : public TFontMetricsProvider {
public:
    TFontMetricsInfo Metrics(const TFontDesc& Font) override { return FontEntry(Font).Info; }

    // A text is often measured twice in a row (drawn, then the pen moved past it): the last answer is kept.
    Integer TextWidth(const TFontDesc& Font, const AnsiString& Text) override {
        const TQtFontEntry& entry = FontEntry(Font);
        if (&entry == lastEntry_ && Text == lastText_) return lastWidth_;
        lastWidth_ = entry.Metrics.horizontalAdvance(FontText(Font, Text));
        lastEntry_ = &entry;
        lastText_ = Text;
        return lastWidth_;
    }

    Integer WideTextWidth(const TFontDesc& Font, const WideString& Text) override {
        return FontEntry(Font).Metrics.horizontalAdvance(
            QString::fromUtf16(Text.data(), static_cast<qsizetype>(Text.size())));
    }

private:
    const TQtFontEntry* lastEntry_ = nullptr;
    AnsiString lastText_;
    Integer lastWidth_ = 0;
};

TFontMetricsProvider*& CurrentProvider() {
    static TFontMetricsProvider* provider = nullptr;
    return provider;
}

}  // namespace

void SetFontMetricsProvider(TFontMetricsProvider* Provider) { CurrentProvider() = Provider; }

TFontMetricsProvider& FontMetricsProvider() {
    static TQtFontMetrics qtMetrics;
    TFontMetricsProvider* provider = CurrentProvider();
    return provider ? *provider : qtMetrics;
}

Integer TFontMetricsProvider::WideTextWidth(const TFontDesc& Font, const WideString& Text) {
    return TextWidth(Font, WideToAnsi(Text));
}

TFontMetricsInfo TFixedFontMetrics::Metrics(const TFontDesc&) {
    TFontMetricsInfo info;
    info.Height = height_;
    info.Ascent = ascent_;
    info.Descent = height_ - ascent_;
    info.AveCharWidth = charWidth_;
    info.MaxCharWidth = charWidth_;
    return info;
}

Integer TFixedFontMetrics::TextWidth(const TFontDesc&, const AnsiString& Text) {
    return charWidth_ * static_cast<Integer>(Text.size());
}

Integer TFixedFontMetrics::WideTextWidth(const TFontDesc&, const WideString& Text) {
    Integer characters = 0;
    for (std::size_t i = 0; i < Text.size(); ++i)
        if (!(i > 0 && QChar::isLowSurrogate(Text[i]) && QChar::isHighSurrogate(Text[i - 1]))) ++characters;
    return charWidth_ * characters;
}
