// The e-mail dialog's address check.
#include "online/email_address.h"

#include <gtest/gtest.h>

namespace {

TEST(IsValidEmail, Table)
{
    struct Case {
        const char* text;
        bool valid;
    };
    for (const Case& c : {
             Case{"ann@example.com", true},
             Case{"ann.lee-2_x@mail.example.co", true},
             Case{"A@B.COM", true},
             Case{"a@ab.cd", true}, // five-character domain, dot third
             Case{"a@.b.cd", true}, // the domain may begin with a dot
             Case{"a@b..cd", true}, // and hold two dots in a row
             Case{"a@b.c..", true}, // only the first dot is placed
             Case{"", false},
             Case{"ann.example.com", false},
             Case{"@example.com", false},
             Case{"ann@lee@example.com", false},
             Case{"a@b.cd", false},  // four-character domain
             Case{"a@abc.d", false}, // dot fourth: one character after it
             Case{"a@bcdef", false}, // no dot
             Case{"ann+1@example.com", false},
             Case{"ann@exa%mple.com", false},
             Case{"ann lee@example.com", false},
             Case{"ann@example.com ", false},
             Case{"jos\xc3\xa9@example.com", false},
             Case{"ann@ex\xc3\xa4mple.com", false},
         }) {
        EXPECT_EQ(is_valid_email(QString::fromUtf8(c.text)), c.valid) << c.text;
    }
}

} // namespace
