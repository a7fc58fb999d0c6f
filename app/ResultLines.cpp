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
        // Multiplied first: the disk's share is then exact for whole-byte disks, and 100 % is the disk
        // itself rather than a rounding step beyond it.
        case TPositionUnit::Percent: position = format_.DiskSize * value / 100; break;
        case TPositionUnit::None: break;
    }

    if (position > format_.DiskSize) {
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
