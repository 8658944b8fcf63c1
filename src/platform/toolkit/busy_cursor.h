#pragma once
// The busy cursor over every window of the program while a long job runs on the GUI thread.

// Set for a scope, restored when it ends, also by an exception.
class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// A window that waits for the user within a busy job shows the normal cursor for the scope.
class TUserWait {
public:
    TUserWait();
    ~TUserWait();
    TUserWait(const TUserWait&) = delete;
    TUserWait& operator=(const TUserWait&) = delete;

private:
    bool busy_;
};
