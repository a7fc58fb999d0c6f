#pragma once
// Internal: registry writes held in memory. Between the first Begin and its matching End every write
// changes the store's text in memory (later reads see it), and the file is replaced once at the end:
// a thousand values cost one write of the file, not a thousand. End answers whether that write worked.
void BeginRegistryBatch();
bool EndRegistryBatch();
