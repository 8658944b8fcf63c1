#pragma once
// Text comparison in the engine that ignores letter case for every Unicode letter.

struct sqlite3;

// Replaces the engine's NOCASE collation and like() (2 and 3 arguments) on this connection.
void RegisterCaseFolding(sqlite3* db);
