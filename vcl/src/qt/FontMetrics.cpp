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

}  // namespace

QFont ToQFont(const TFontDesc& Font) {
    EnsureQtApplication();
    QFont font = FamilyFont(Font);
    if (Font.Height < 0) {
        font.setPixelSize(-Font.Height);  // character height: the em size
    } else if (Font.Height > 0) {
        // Cell height: scale the em so that ascent plus descent comes to the height asked for.
        font.setPixelSize(100);
        int cell = std::max(QFontMetrics(font).height(), 1);
        font.setPixelSize(std::max(1, Font.Height * 100 / cell));
    } else {
        font.setPixelSize(11);
    }
    return font;
}

namespace {

// The real fonts, measured by Qt; metrics are cached per font.
class TQtFontMetrics : public TFontMetricsProvider {
public:
    TFontMetricsInfo Metrics(const TFontDesc& Font) override {
        const QFontMetrics& fm = MetricsOf(Font);
        TFontMetricsInfo info;
        info.Ascent = fm.ascent();
        info.Descent = fm.descent();
        info.Height = fm.ascent() + fm.descent();
        info.InternalLeading = std::max(0, info.Height - ToQFont(Font).pixelSize());
        info.ExternalLeading = std::max(0, fm.leading());
        info.AveCharWidth = fm.averageCharWidth();
        info.MaxCharWidth = fm.maxWidth();
        return info;
    }

    Integer TextWidth(const TFontDesc& Font, const AnsiString& Text) override {
        return MetricsOf(Font).horizontalAdvance(ToQString(Text));
    }

private:
    using TKey = std::tuple<AnsiString, Integer, std::size_t, int>;
    const QFontMetrics& MetricsOf(const TFontDesc& Font) {
        std::size_t style = 0;
        for (TFontStyle s : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
            if (Font.Style.Contains(s)) style |= 1u << s;
        TKey key{Font.Name, Font.Height, style, Font.Pitch};
        auto it = cache_.find(key);
        if (it == cache_.end()) it = cache_.emplace(key, QFontMetrics(ToQFont(Font))).first;
        return it->second;
    }
    std::map<TKey, QFontMetrics> cache_;
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
