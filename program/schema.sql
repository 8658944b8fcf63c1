-- The shipped database: guests, groups and the statistics report's header row.
-- Text compares ignore letter case (the program supplies a Unicode NOCASE); no index on text.
-- The file ships in its journal mode, so that opening it never has to write.
PRAGMA journal_mode=WAL;
CREATE TABLE member (
    userid INTEGER PRIMARY KEY,
    name TEXT COLLATE NOCASE,
    lastname TEXT COLLATE NOCASE,
    other_txt TEXT COLLATE NOCASE,
    note TEXT COLLATE NOCASE,
    email TEXT COLLATE NOCASE,
    money NUMERIC DEFAULT NULL,
    group_id INTEGER DEFAULT 0
);

CREATE TABLE mb_group (
    group_id INTEGER PRIMARY KEY,
    group_name TEXT COLLATE NOCASE
);

CREATE TABLE for_report_show (
    report_show_id INTEGER PRIMARY KEY,
    group_name_show_in_report TEXT,
    kw_now TEXT
);

INSERT INTO for_report_show (report_show_id, group_name_show_in_report, kw_now) VALUES (1, 'List All', '-');
