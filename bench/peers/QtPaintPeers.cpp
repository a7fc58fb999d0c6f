#include "QtPaintPeers.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QTableView>

namespace qtpeer {

namespace {

QFont SansFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setPixelSize(11);
    return font;
}

}  // namespace

struct HeldPainter::Impl {
    Impl(int width, int height) : image(width, height, QImage::Format_RGB32) {
        image.fill(Qt::white);
        painter.begin(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(SansFont());
        painter.setPen(Qt::black);
        ascent = QFontMetrics(painter.font()).ascent();
    }
    QImage image;
    QPainter painter;
    int ascent = 0;
};

HeldPainter::HeldPainter(int Width, int Height) : impl_(std::make_unique<Impl>(Width, Height)) {}
HeldPainter::~HeldPainter() = default;

void HeldPainter::TextOut(int X, int Y, const std::string& Text) {
    impl_->painter.drawText(QPoint(X, Y + impl_->ascent),
                            QString::fromLatin1(Text.data(), static_cast<qsizetype>(Text.size())));
}

void HeldPainter::FillRect(int Left, int Top, int Right, int Bottom, std::uint32_t Rgb) {
    impl_->painter.fillRect(QRect(Left, Top, Right - Left, Bottom - Top), QColor::fromRgb(Rgb));
}

std::uint32_t HeldPainter::Pixel(int X, int Y) const { return impl_->image.pixel(X, Y) & 0xFFFFFF; }

namespace {

class TextModel : public QAbstractTableModel {
public:
    TextModel(int rows, int cols, ShownTable::TextOf text) : rows_(rows), cols_(cols), text_(std::move(text)) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : cols_; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) return {};
        ++asked;
        const std::string text = text_(index.column(), index.row());
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    mutable int asked = 0;

private:
    int rows_, cols_;
    ShownTable::TextOf text_;
};

}  // namespace

struct ShownTable::Impl {
    Impl(int rows, int cols, TextOf text) : model(rows, cols, std::move(text)) {}
    TextModel model;
    QTableView view;
};

ShownTable::ShownTable(int Rows, int Cols, TextOf Text, int ColWidth, int RowHeight, int Width, int Height)
    : impl_(std::make_unique<Impl>(Rows, Cols, std::move(Text))) {
    QTableView& view = impl_->view;
    view.setModel(&impl_->model);
    view.setFont(SansFont());
    view.horizontalHeader()->hide();
    view.verticalHeader()->hide();
    view.horizontalHeader()->setDefaultSectionSize(ColWidth);
    view.verticalHeader()->setDefaultSectionSize(RowHeight);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.resize(Width, Height);
    view.show();
    QApplication::processEvents();
}

ShownTable::~ShownTable() = default;

void ShownTable::Repaint() { impl_->view.viewport()->repaint(); }

int ShownTable::TakeCellsAsked() { return std::exchange(impl_->model.asked, 0); }

}  // namespace qtpeer
