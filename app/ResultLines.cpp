#include "ResultLines.h"

#include "valstr.h"

using namespace valstr;

namespace {

const char* UnitWord(TPositionUnit Unit) {
    switch (Unit) {
        case TPositionUnit::Byte: return "byte";
        case TPositionUnit::Sector: return "sector";
        case TPositionUnit::Cluster: return "cluster";
        case TPositionUnit::Percent: return "%";
        case TPositionUnit::None: break;
    }
    return "";
}

}  // namespace

void TResultLineWriter::Write(const AnsiString& Line, AnsiString& Result) {
    const Double value = StrToFloatLenient(Line, 0.0);
    Double position = 0.0;
    switch (format_.Unit) {
        case TPositionUnit::Byte: position = value; break;
        case TPositionUnit::Sector: position = value * format_.SectorSize; break;
        case TPositionUnit::Cluster: position = value * format_.ClusterSize; break;
        // Multiplied first, and wider than a double: the share of a whole-byte disk is then rounded once,
        // and 100 % is the disk itself rather than a rounding step beyond it.
        case TPositionUnit::Percent:
            position = static_cast<Double>(static_cast<long double>(format_.DiskSize) * value / 100);
            break;
        case TPositionUnit::None: break;
    }

    // A share is bounded by its percentage: past 2^53 / 100 bytes the product rounds, and 100 % could
    // land a step beyond the disk.
    const bool outOfBounds = format_.Unit == TPositionUnit::Percent ? value > 100 : position > format_.DiskSize;
    if (outOfBounds) {
        Result = ">100% Out of Bounds";
    } else if (format_.Display == TResultDisplay::Unknown) {
        Result = "?";
    } else {
        switch (format_.Display) {
            case TResultDisplay::Percent: FloatToStrDec(4, number_, position / format_.DiskSize * 100); break;
            case TResultDisplay::Sector: FloatToStrDec(0, number_, position / format_.SectorSize); break;
            case TResultDisplay::Cluster: FloatToStrDec(0, number_, position / format_.ClusterSize); break;
            default: FloatToStrDec(0, number_, position); break;
        }
        // Only the number is grouped, never the sign, the "%" or the echoed line.
        if (format_.SplitNumbers) {
            GroupDigits(number_, 0, grouped_);
            number_.swap(grouped_);
        }
        Result = number_;
        if (format_.Display == TResultDisplay::Percent) Result += '%';
    }

    if (format_.Unit == TPositionUnit::Percent) Result.append(" (= ").append(Line).append("%)");
    else Result.append(" (= ").append(UnitWord(format_.Unit)).append(" #").append(Line).append(")");
}
