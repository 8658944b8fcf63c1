#pragma once
// Hands a generated page to a browser control and closes the e-mail dialog.
#include <QByteArray>

class TWebBrowser;

// The page's lines, split at CR, LF or CR LF, each followed by CR LF.
QByteArray crlf_lines(const QByteArray& text);

// Blank page first; once it is there, the page's lines go in as the control's document, whose
// script takes over. The dialog closes whether or not a page was loaded.
void load_html_form(TWebBrowser* browser, const QByteArray& page);
