#include "online/email_page.h"

#include <QStringList>

QString email_form_page(const QString& email, const QString& action)
{
    const QStringList lines = {
        R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" )"
        R"("http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">)",
        R"(<html xmlns="http://www.w3.org/1999/xhtml">)",
        R"(<head><meta http-equiv="Content-Type" content="text/html; charset=windows-874" />)",
        R"(<title></title>)",
        R"(</head>)",
        R"(<body onload="document.myform.submit();">)",
        R"(<form id="myform" name="myform" method="post" action=")" + action + R"(" target="_blank">)",
        R"(<table width="100%" border="0" cellspacing="0" cellpadding="0">)",
        R"(  <tr>)",
        R"(    <td align="right"><a href="#" onclick="document.myform.submit();">asdf</a></td>)",
        R"(  </tr>)",
        R"(</table>)",
        R"(  <input name="cmd" type="hidden" id="cmd" value="email_compose" />)",
        R"(  <input name="email" type="hidden" id="email" value=")" + email + R"(" />)",
        R"(</form>)",
        R"(</body>)",
        R"(</html>)",
    };
    QString page;
    for (const QString& line : lines)
        page += line + '\r';
    return page;
}
