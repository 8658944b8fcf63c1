#pragma once
// The firewall's list of applications allowed to take network connections.
#include <QString>

class FirewallService {
public:
    virtual ~FirewallService();
    // Enters the program file imagePath under name; raises Exception when the firewall refuses.
    virtual void AuthorizeApplication(const QString& name, const QString& imagePath) = 0;
};

// The service in force: the platform's own unless another was installed.
FirewallService& Firewall();
// Puts service (not owned) in place of the platform's; nullptr brings the platform's back.
void SetFirewall(FirewallService* service);
