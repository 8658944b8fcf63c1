#pragma once
// Text comparison in the engine that ignores letter case for every Unicode letter.

struct sqlite3;

// Replaces the engine's NOCASE collation and like() (2 and 3 arguments) on this connection.
void RegisterCaseFolding(sqlite3* db);

// Every run of a statement calls this before its first row, so like() forgets the bound patterns
// of the runs before. The statement layer calls it, so no engine hook (which others may take) is
// needed; every statement of a connection with case folding runs through that layer.
void StatementRunStarts();
