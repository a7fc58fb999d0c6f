#pragma once
// One result line of the calculator: a position line read in its unit and shown in the chosen display.

#include <vcl/System.h>

enum class TPositionUnit { None, Byte, Sector, Cluster, Percent };
enum class TResultDisplay { Unknown, Percent, Sector, Cluster, Byte };

struct TPositionFormat {
    Double DiskSize = 0.0;
    Double SectorSize = 0.0;
    Double ClusterSize = 0.0;
    TPositionUnit Unit = TPositionUnit::None;
    TResultDisplay Display = TResultDisplay::Unknown;
    bool SplitNumbers = false;

    bool operator==(const TPositionFormat&) const = default;
};

// Writes result lines one after another, reusing its buffers so a long list allocates nothing per line.
class TResultLineWriter {
public:
    explicit TResultLineWriter(const TPositionFormat& Format) : format_(Format) {}
    // Line is the position as the user typed it; it is echoed unchanged after "#".
    void Write(const AnsiString& Line, AnsiString& Result);

private:
    TPositionFormat format_;
    AnsiString number_;
    AnsiString grouped_;
};
