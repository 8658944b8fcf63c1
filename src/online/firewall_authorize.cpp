#include "online/firewall_authorize.h"

#include "system/firewall.h"

void firewall_authorize_app(const QString& name, const QString& image_path)
{
    Firewall().AuthorizeApplication(name, image_path);
}
