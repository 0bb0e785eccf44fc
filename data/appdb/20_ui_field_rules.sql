-- Ergonomic field rule tables of the application database.
--
-- One table per phone user-interface family, one row per ergonomic field (Ergo_Field_id 1-41,
-- each naming the unit-sheet setting it governs). A row applies to the model types its Models
-- text lists: numbers and ranges such as 20-24, separated by commas; "All" or an empty text
-- means every model of the family. A row that does not apply leaves the field disabled.
-- Edit_rules says what an applying row allows:
--   0 editable
--   1 shown as the codeplug holds it, not editable
--   2 editable, starts from the carrier's default
--   3 editable, changes take effect after the phone restarts
--   4 not present on this family
--   5 locked by the carrier
--   6 editable where the sub-model enables it ([SubId Rel_Models] switches)


-- Larch user interface: Kestrel K10-K14, Heron H20/H24, Condor C91 Plus.
CREATE TABLE Larch_UI_CP_Fields_details (
    ID              INTEGER PRIMARY KEY,
    Ergo_Field_id   INTEGER NOT NULL UNIQUE CHECK (Ergo_Field_id BETWEEN 0 AND 255),
    Ergo_Field_desc TEXT NOT NULL DEFAULT '',
    Models          TEXT NOT NULL DEFAULT '',
    Edit_rules      INTEGER NOT NULL DEFAULT 0
);

INSERT INTO Larch_UI_CP_Fields_details (ID, Ergo_Field_id, Ergo_Field_desc, Models, Edit_rules) VALUES
    ( 1,  1, 'Automatic radio lock', 'All', 0),
    ( 2,  2, 'Reset passcode', 'All', 2),
    ( 3,  3, 'One minute beep timer', 'All', 0),
    ( 4,  4, 'VADK', 'All', 0),
    ( 5,  5, 'Group call tone', 'All', 0),
    ( 6,  6, 'Talk permit tone', 'All', 0),
    ( 7,  7, 'PTT ID', 'All', 0),
    ( 8,  8, 'Auto display timer', 'All', 0),
    ( 9,  9, 'Muted DTMF', 'All', 0),
    (10, 10, 'Talkgroup scan', '20-24', 0),
    (11, 11, 'Desk-set accessory support', '10,12,14', 0),
    (12, 12, 'Call alert queuing', 'All', 0),
    (13, 13, 'SMS call back disable', 'All', 5),
    (14, 14, 'Emergency button', 'All', 0),
    (15, 15, 'Phone lockout', 'All', 0),
    (16, 16, 'Private lockout', 'All', 0),
    (17, 17, 'Emergency talkgroup', 'All', 0),
    (18, 18, 'Lock override', 'All', 0),
    (19, 19, 'Theft alarm', 'All', 3),
    (20, 20, 'External speaker', '10-14,91', 0),
    (21, 21, 'Horn and lights', '10-14', 0),
    (22, 22, 'Power mode', 'All', 0),
    (23, 23, 'Talkgroup type', 'All', 0),
    (24, 24, 'Auto power down timer', 'All', 0),
    (25, 25, 'Reserved (no control on the unit sheet)', 'All', 4),
    (26, 26, 'Line 1 ring tone', 'All', 0),
    (27, 27, 'Line 2 ring tone', 'All', 0),
    (28, 28, 'ISO enabled', '12,14', 0),
    (29, 29, 'Active line indicator', 'All', 0),
    (30, 30, 'Net mode', 'All', 1),
    (31, 31, 'Baud rate', 'All', 0),
    (32, 32, 'Call alert stack timer', 'All', 0),
    (33, 33, 'Silent audio', '91', 0),
    (34, 34, 'Reserved (no control on the unit sheet)', 'All', 4),
    (35, 35, 'Inactivity revert', '20-24', 0),
    (36, 36, 'Auto revert', '20-24', 0),
    (37, 37, 'Display language', 'All', 0),
    (38, 38, 'Phone only mode', '10,12,14,91', 0),
    (39, 39, 'Photo sensor', '91', 0),
    (40, 40, 'Vibrate', '91', 6),
    (41, 41, 'SIM PIN warning', '', 4);

-- Birch user interface: Osprey S30, Wren W33, Falcon F40/F42, q700 Marine and Rugged, Condor C94 Plus.
CREATE TABLE Birch_CP_Fields_details (
    ID              INTEGER PRIMARY KEY,
    Ergo_Field_id   INTEGER NOT NULL UNIQUE CHECK (Ergo_Field_id BETWEEN 0 AND 255),
    Ergo_Field_desc TEXT NOT NULL DEFAULT '',
    Models          TEXT NOT NULL DEFAULT '',
    Edit_rules      INTEGER NOT NULL DEFAULT 0
);

INSERT INTO Birch_CP_Fields_details (ID, Ergo_Field_id, Ergo_Field_desc, Models, Edit_rules) VALUES
    ( 1,  1, 'Automatic radio lock', '30,40-42,94', 0),
    ( 2,  2, 'Reset passcode', 'All', 2),
    ( 3,  3, 'One minute beep timer', 'All', 0),
    ( 4,  4, 'VADK', 'All', 0),
    ( 5,  5, 'Group call tone', 'All', 0),
    ( 6,  6, 'Talk permit tone', 'All', 0),
    ( 7,  7, 'PTT ID', '40-42', 0),
    ( 8,  8, 'Auto display timer', 'All', 0),
    ( 9,  9, 'Muted DTMF', 'All', 0),
    (10, 10, 'Talkgroup scan', '94', 0),
    (11, 11, 'Desk-set accessory support', '30,40-42', 0),
    (12, 12, 'Call alert queuing', 'All', 0),
    (13, 13, 'SMS call back disable', 'All', 0),
    (14, 14, 'Emergency button', 'All', 0),
    (15, 15, 'Phone lockout', 'All', 0),
    (16, 16, 'Private lockout', 'All', 0),
    (17, 17, 'Emergency talkgroup', '30,40-42,72,92,94', 0),
    (18, 18, 'Lock override', 'All', 0),
    (19, 19, 'Theft alarm', '30,40,42', 3),
    (20, 20, 'External speaker', '30,40-42', 0),
    (21, 21, 'Horn and lights', '30,40-42', 0),
    (22, 22, 'Power mode', 'All', 0),
    (23, 23, 'Talkgroup type', 'All', 0),
    (24, 24, 'Auto power down timer', '33', 1),
    (25, 25, 'Reserved (no control on the unit sheet)', 'All', 4),
    (26, 26, 'Line 1 ring tone', 'All', 0),
    (27, 27, 'Line 2 ring tone', 'All', 0),
    (28, 28, 'ISO enabled', '40-42', 0),
    (29, 29, 'Active line indicator', 'All', 0),
    (30, 30, 'Net mode', 'All', 0),
    (31, 31, 'Baud rate', '30,40-42,94', 0),
    (32, 32, 'Call alert stack timer', '33', 4),
    (33, 33, 'Silent audio', '94', 0),
    (34, 34, 'Reserved (no control on the unit sheet)', 'All', 4),
    (35, 35, 'Inactivity revert', '94', 0),
    (36, 36, 'Auto revert', '94', 0),
    (37, 37, 'Display language', '30,40-42,72,92,94', 0),
    (38, 38, 'Phone only mode', '72,92', 0),
    (39, 39, 'Photo sensor', '', 4),
    (40, 40, 'Vibrate', '72,92', 6),
    (41, 41, 'SIM PIN warning', '72,92', 6);

-- Larch FDI user interface: Merlin M50/M52, Harrier R60/R62, q700 Field, Condor C90.
CREATE TABLE Larch_FDIUI_CP_Fields_details (
    ID              INTEGER PRIMARY KEY,
    Ergo_Field_id   INTEGER NOT NULL UNIQUE CHECK (Ergo_Field_id BETWEEN 0 AND 255),
    Ergo_Field_desc TEXT NOT NULL DEFAULT '',
    Models          TEXT NOT NULL DEFAULT '',
    Edit_rules      INTEGER NOT NULL DEFAULT 0
);

INSERT INTO Larch_FDIUI_CP_Fields_details (ID, Ergo_Field_id, Ergo_Field_desc, Models, Edit_rules) VALUES
    ( 1,  1, 'Automatic radio lock', 'All', 0),
    ( 2,  2, 'Reset passcode', 'All', 2),
    ( 3,  3, 'One minute beep timer', 'All', 0),
    ( 4,  4, 'VADK', 'All', 0),
    ( 5,  5, 'Group call tone', 'All', 0),
    ( 6,  6, 'Talk permit tone', 'All', 0),
    ( 7,  7, 'PTT ID', 'All', 0),
    ( 8,  8, 'Auto display timer', 'All', 0),
    ( 9,  9, 'Muted DTMF', 'All', 0),
    (10, 10, 'Talkgroup scan', '60', 0),
    (11, 11, 'Desk-set accessory support', '50,52', 0),
    (12, 12, 'Call alert queuing', 'All', 0),
    (13, 13, 'SMS call back disable', 'All', 0),
    (14, 14, 'Emergency button', '50-62,90', 0),
    (15, 15, 'Phone lockout', 'All', 0),
    (16, 16, 'Private lockout', 'All', 0),
    (17, 17, 'Emergency talkgroup', 'All', 0),
    (18, 18, 'Lock override', 'All', 0),
    (19, 19, 'Theft alarm', 'All', 0),
    (20, 20, 'External speaker', '50,52', 0),
    (21, 21, 'Horn and lights', '', 4),
    (22, 22, 'Power mode', 'All', 0),
    (23, 23, 'Talkgroup type', 'All', 0),
    (24, 24, 'Auto power down timer', 'All', 0),
    (25, 25, 'Reserved (no control on the unit sheet)', 'All', 4),
    (26, 26, 'Line 1 ring tone', 'All', 0),
    (27, 27, 'Line 2 ring tone', 'All', 0),
    (28, 28, 'ISO enabled', '50,52', 0),
    (29, 29, 'Active line indicator', '50-62', 0),
    (30, 30, 'Net mode', 'All', 1),
    (31, 31, 'Baud rate', 'All', 0),
    (32, 32, 'Call alert stack timer', 'All', 0),
    (33, 33, 'Silent audio', 'All', 0),
    (34, 34, 'Reserved (no control on the unit sheet)', 'All', 4),
    (35, 35, 'Inactivity revert', '60', 0),
    (36, 36, 'Auto revert', '60', 0),
    (37, 37, 'Display language', 'All', 0),
    (38, 38, 'Phone only mode', '70,90', 0),
    (39, 39, 'Photo sensor', '62,90', 0),
    (40, 40, 'Vibrate', '70', 6),
    (41, 41, 'SIM PIN warning', '70', 6);

-- Alder user interface: Alder A5/A10/A11/G16, Cedar C14.
CREATE TABLE Alder_UI_CP_Fields_details (
    ID              INTEGER PRIMARY KEY,
    Ergo_Field_id   INTEGER NOT NULL UNIQUE CHECK (Ergo_Field_id BETWEEN 0 AND 255),
    Ergo_Field_desc TEXT NOT NULL DEFAULT '',
    Models          TEXT NOT NULL DEFAULT '',
    Edit_rules      INTEGER NOT NULL DEFAULT 0
);

INSERT INTO Alder_UI_CP_Fields_details (ID, Ergo_Field_id, Ergo_Field_desc, Models, Edit_rules) VALUES
    ( 1,  1, 'Automatic radio lock', 'All', 0),
    ( 2,  2, 'Reset passcode', 'All', 0),
    ( 3,  3, 'One minute beep timer', 'All', 0),
    ( 4,  4, 'VADK', '', 4),
    ( 5,  5, 'Group call tone', 'All', 0),
    ( 6,  6, 'Talk permit tone', 'All', 0),
    ( 7,  7, 'PTT ID', '', 4),
    ( 8,  8, 'Auto display timer', 'All', 0),
    ( 9,  9, 'Muted DTMF', '', 4),
    (10, 10, 'Talkgroup scan', '', 4),
    (11, 11, 'Desk-set accessory support', '', 4),
    (12, 12, 'Call alert queuing', 'All', 0),
    (13, 13, 'SMS call back disable', 'All', 0),
    (14, 14, 'Emergency button', '110-116', 0),
    (15, 15, 'Phone lockout', 'All', 0),
    (16, 16, 'Private lockout', 'All', 0),
    (17, 17, 'Emergency talkgroup', '110-116', 0),
    (18, 18, 'Lock override', '105', 1),
    (19, 19, 'Theft alarm', '', 4),
    (20, 20, 'External speaker', '', 4),
    (21, 21, 'Horn and lights', '', 4),
    (22, 22, 'Power mode', 'All', 0),
    (23, 23, 'Talkgroup type', 'All', 0),
    (24, 24, 'Auto power down timer', 'All', 0),
    (25, 25, 'Reserved (no control on the unit sheet)', 'All', 4),
    (26, 26, 'Line 1 ring tone', '105', 0),
    (27, 27, 'Line 2 ring tone', '105', 0),
    (28, 28, 'ISO enabled', '', 4),
    (29, 29, 'Active line indicator', '105', 0),
    (30, 30, 'Net mode', 'All', 0),
    (31, 31, 'Baud rate', '', 4),
    (32, 32, 'Call alert stack timer', 'All', 0),
    (33, 33, 'Silent audio', 'All', 0),
    (34, 34, 'Reserved (no control on the unit sheet)', 'All', 4),
    (35, 35, 'Inactivity revert', '', 4),
    (36, 36, 'Auto revert', '', 4),
    (37, 37, 'Display language', 'All', 0),
    (38, 38, 'Phone only mode', 'All', 0),
    (39, 39, 'Photo sensor', '110-116', 0),
    (40, 40, 'Vibrate', 'All', 6),
    (41, 41, 'SIM PIN warning', 'All', 6);
