#include "system/firewall.h"

namespace {

// Linux desktop firewalls filter by port and zone and keep no list of authorised programs,
// so there is no entry to make.
class LinuxFirewall final : public FirewallService {
public:
    void AuthorizeApplication(const QString&, const QString&) override {}
};

LinuxFirewall platform_firewall;
FirewallService* installed = nullptr;

} // namespace

FirewallService::~FirewallService() = default;

FirewallService& Firewall()
{
    return installed ? *installed : platform_firewall;
}

void SetFirewall(FirewallService* service)
{
    installed = service;
}
