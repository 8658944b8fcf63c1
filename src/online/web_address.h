#pragma once
// Addresses of the program's web service.
#include <QString>

// "http://" + the web host + path (which begins with a slash).
QString web_address(const QString& path);
