// Each file under files/ with the guests it must give.
#include "exchange/exchange_fixture.h"

struct FileCase {
    const char* file;
    QStringList guests;
};

void PrintTo(const FileCase& c, std::ostream* os)
{
    *os << c.file;
}

const QString kAnn = "1|Ann|Lee|Friends|ann@example.org", kBo = "2|Bo|Kim||";

class ImportFile : public ExchangeTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(ImportFile, GivesItsGuests)
{
    start_with("");
    import_from(QString(KRV_SOURCE_DIR) + "/tests/exchange/files/" + GetParam().file);
    EXPECT_EQ(guests(), GetParam().guests);
    EXPECT_EQ(dialogs.texts(), QStringList{"Import Guest list Completed."});
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportFile,
    ::testing::Values(FileCase{"crlf.gst", {kAnn, kBo}}, FileCase{"lf.gst", {kAnn, kBo}},
                      FileCase{"mixed.gst", {kAnn, kBo}}, FileCase{"no_last_end.gst", {kAnn, kBo}},
                      FileCase{"extra_empty_line.gst", {kAnn, kBo, "3||||"}},
                      FileCase{"empty.gst", {"1||||"}},
                      FileCase{"empty_first_line.gst", {"1||||", "2|Ann|Lee|Friends|ann@example.org"}},
                      FileCase{"text_before_marker.gst", {kAnn, "2|Ann|Lee|F|e@x"}},
                      FileCase{"field_ends_in_digit.gst", {"1|Ann|Lee|Table 4|"}},
                      FileCase{"blanks_and_tabs.gst", {"1|Ann|Lee|Table 4|ann@example.org"}},
                      FileCase{"utf8.gst", {"1|สมชาย|ใจดี|โต๊ะ 3|", "2|José|Müller|Café|"}},
                      FileCase{"utf8_bom.gst", {"1|สมชาย|ใจดี|โต๊ะ 3|", "2|José|Müller|Café|"}},
                      FileCase{"windows874.gst", {"1|สมชาย|ใจดี|โต๊ะ 3|", kBo}},
                      // A new export joined to an old one: each line in its own encoding.
                      FileCase{"joined_encodings.gst", {"1|José|Müller|Café|", "2|สมชาย|ใจดี|“Thai” € …|"}},
                      // Not in the exporter's form: a bare name, markers missing.
                      FileCase{"other_forms.gst", {"1|Ann Lee|||", "2|Bo|Kim||bo@example.org"}}),
    [](const ::testing::TestParamInfo<FileCase>& info) {
        return QString(info.param.file).chopped(4).toStdString();
    });
