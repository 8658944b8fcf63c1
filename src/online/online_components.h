#pragma once
// The owner of the main window's web client.
#include "app/Unit1.h"
#include "net/http_client.h"

struct TForm1::OnlineComponents {
    std::unique_ptr<TIdHTTP> IdHTTP1;
};
