#pragma once
// The program's entry in the firewall's list of authorised applications.
#include <QString>

// Enters image_path under name; whatever the firewall raises goes on to the caller.
void firewall_authorize_app(const QString& name, const QString& image_path);
