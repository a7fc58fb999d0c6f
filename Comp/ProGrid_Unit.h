#pragma once
// The grid unit's start-up and exit: OLE, the class for form descriptions, the common-controls flag and
// the grid's clipboard format.

namespace ProGrid {

// Start-up: OleInitialize (any answer but S_OK or S_FALSE fails the assertion "OleInitialize failed ($%x)"),
// registers RAdeRedeviDidi, sets the common-controls flag from the version of "comctl32.dll" (4.70 or
// later) and registers the clipboard format "RAdeRedeviDidi Cells".
void InitProGridUnit();
// Exit: OleUninitialize, once per successful start.
void DoneProGridUnit();

}  // namespace ProGrid
