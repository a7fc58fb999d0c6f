#pragma once
// The records of the grid's own clipboard format, each one component in the binary stream form: the
// block's sizes, then per cell its text, its properties, its graphic and the graphic's data.

#include <memory>

#include "ProGrid.h"

namespace ProGrid {

class TGridPropIO : public TComponent {
    VCL_CLASS(TGridPropIO, TComponent)
    explicit TGridPropIO(TComponent* AOwner) : TComponent(AOwner) {}
    PROGRID_STORED(Integer, ColCount, 0)
    PROGRID_STORED(Integer, RowCount, 0)
    // Decimal numbers joined by ",".
    PROGRID_STORED(AnsiString, ColWidths, {})
    PROGRID_STORED(AnsiString, RowHeights, {})
    PROGRID_STORED(bool, FullGrid, false)
    PROGRID_STORED(Integer, ID, 0)
};

class TGridCellIO : public TComponent {
    VCL_CLASS(TGridCellIO, TComponent)
    explicit TGridCellIO(TComponent* AOwner) : TComponent(AOwner) {}
    PROGRID_STORED(Integer, Col, 0)
    PROGRID_STORED(Integer, Row, 0)
    PROGRID_STORED(AnsiString, Cell, {})
    PROGRID_STORED(bool, HasProp, false)
};

class TGridCellPropIO : public TComponent {
    VCL_CLASS(TGridCellPropIO, TComponent)
    explicit TGridCellPropIO(TComponent* AOwner)
        : TComponent(AOwner), props_(std::make_unique<BaseGrid::TCellProperties>(nullptr, 0, 0)) {}
    BaseGrid::TCellProperties* CellProperties() const { return props_.get(); }
    PROGRID_STORED(bool, HasGraphic, false)

private:
    std::unique_ptr<BaseGrid::TCellProperties> props_;
};

class TGridGraphicIO : public TComponent {
    VCL_CLASS(TGridGraphicIO, TComponent)
    explicit TGridGraphicIO(TComponent* AOwner) : TComponent(AOwner), graphic_(std::make_unique<TCellGraphic>()) {}
    TCellGraphic* CellGraphic() const { return graphic_.get(); }

private:
    std::unique_ptr<TCellGraphic> graphic_;
};

// One owned object published under Name.
template <typename T>
class TGridObjectIO : public TComponent {
public:
    explicit TGridObjectIO(TComponent* AOwner) : TComponent(AOwner), object_(std::make_unique<T>()) {}
    T* Object() const { return object_.get(); }
    // Hands the object over; a fresh one stays.
    T* Take() {
        T* taken = object_.release();
        object_ = std::make_unique<T>();
        return taken;
    }

private:
    std::unique_ptr<T> object_;
};

class TGridBMPIO : public TGridObjectIO<TBitmap> {
    VCL_CLASS(TGridBMPIO, TComponent)
    using TGridObjectIO::TGridObjectIO;
};

class TGridIconIO : public TGridObjectIO<TIcon> {
    VCL_CLASS(TGridIconIO, TComponent)
    using TGridObjectIO::TGridObjectIO;
};

class TGridPicIO : public TGridObjectIO<TPicture> {
    VCL_CLASS(TGridPicIO, TComponent)
    using TGridObjectIO::TGridObjectIO;
};

class TGridFilePicIO : public TGridObjectIO<ProObj::TFilePicture> {
    VCL_CLASS(TGridFilePicIO, TComponent)
    using TGridObjectIO::TGridObjectIO;
};

class TGridSLIO : public TGridObjectIO<TStringList> {
    VCL_CLASS(TGridSLIO, TComponent)
    using TGridObjectIO::TGridObjectIO;
};

}  // namespace ProGrid
