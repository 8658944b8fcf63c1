#pragma once
// The page that the e-mail dialog hands to its browser control.
#include <QString>

// 17 lines, each ended by one carriage return: a form that posts cmd=email_compose and the
// address to action in a new window as soon as the page has loaded. Nothing is escaped: the
// address has passed the address check and the action is the program's own.
QString email_form_page(const QString& email, const QString& action);
