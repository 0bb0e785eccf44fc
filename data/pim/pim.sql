-- The PIM database (.pim): a phone book and a date book. The library creates new files from this same
-- text, and the build turns it into the empty template VelmoraPIM.vdf.
CREATE TABLE pim_contact (
    contact_id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    company TEXT NOT NULL DEFAULT '',
    email TEXT NOT NULL DEFAULT '',
    address TEXT NOT NULL DEFAULT '',
    note TEXT NOT NULL DEFAULT ''
);
CREATE TABLE pim_contact_number (
    number_id INTEGER PRIMARY KEY,
    contact_id INTEGER NOT NULL REFERENCES pim_contact (contact_id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    kind INTEGER NOT NULL,
    number TEXT NOT NULL
);
CREATE INDEX pim_contact_number_contact ON pim_contact_number (contact_id, position);
CREATE TABLE pim_event (
    event_id INTEGER PRIMARY KEY,
    title TEXT NOT NULL,
    start_time TEXT NOT NULL,
    end_time TEXT NOT NULL,
    all_day INTEGER NOT NULL DEFAULT 0,
    location TEXT NOT NULL DEFAULT '',
    note TEXT NOT NULL DEFAULT '',
    reminder_minutes INTEGER NOT NULL DEFAULT -1
);
CREATE INDEX pim_event_start ON pim_event (start_time);
CREATE INDEX pim_event_end ON pim_event (end_time);
PRAGMA user_version = 1;
