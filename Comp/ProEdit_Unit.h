#pragma once
// The typed edit unit's start-up and exit: the class for form descriptions, OLE for the edits' drag and drop.

namespace ProEdit {

// Start-up: registers TProEdit, then OleInitialize; any answer but S_OK or S_FALSE stops the start with "OleInitialize
// failed
// ($%x)".
void InitProEditUnit();
// Exit: OleUninitialize, once per successful start.
void DoneProEditUnit();

}  // namespace ProEdit
