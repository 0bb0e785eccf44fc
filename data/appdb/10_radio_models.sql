-- Radio model catalogue of the application database.
--
-- One row per radio model. ModelType is the number a phone reports and a unit stores;
-- display_model_name is the name the carrier settings list under [Model Types] and that the
-- model choice list shows, so both are unique. CallListType picks the list capacities and the
-- list-block layout (0-9; 7 keeps the lists on the SIM). codeplug_id picks the ergonomic rule
-- table: 0,1,2,3,5,14 Larch UI; 4,6,7,12,15,18,20 Birch; 22,23,24 Alder UI; any other value up
-- to 24 Larch FDI. CrossFleetCPVersion 0 means every codeplug structure version of a
-- cross-fleet model is cross-fleet; another value names the one version that is.
-- supported_lang lists the display language codes of the model (empty: the language cannot
-- be chosen).

CREATE TABLE radio_model_types_table (
    "Index"              INTEGER NOT NULL,
    ModelType            INTEGER NOT NULL UNIQUE CHECK (ModelType BETWEEN 0 AND 255),
    ModelDescription     TEXT NOT NULL DEFAULT '',
    ModelNumber          TEXT NOT NULL DEFAULT '',
    CallListType         INTEGER NOT NULL DEFAULT 0,
    CrossFleetCapable    INTEGER NOT NULL DEFAULT 0 CHECK (CrossFleetCapable IN (0, 1)),
    CrossFleetCPVersion  INTEGER NOT NULL DEFAULT 0,
    IsPlusSeriesPhone    INTEGER NOT NULL DEFAULT 0 CHECK (IsPlusSeriesPhone IN (0, 1)),
    display_model_name   TEXT NOT NULL UNIQUE,
    codeplug_id          INTEGER NOT NULL DEFAULT 0,
    codeplug_id_desc     TEXT NOT NULL DEFAULT '',
    supported_lang       TEXT NOT NULL DEFAULT ''
);

INSERT INTO radio_model_types_table
    ("Index", ModelType, ModelDescription, ModelNumber, CallListType, CrossFleetCapable,
     CrossFleetCPVersion, IsPlusSeriesPhone, display_model_name, codeplug_id, codeplug_id_desc,
     supported_lang)
VALUES
    -- Kestrel: entry handsets, Larch user interface.
    ( 1,  10, 'Kestrel K10 handset',                      'VK-010', 0, 0,  0, 0, 'Kestrel K10',     0, 'Larch UI 1.0',              '0,1'),
    ( 2,  12, 'Kestrel K12 cross-fleet handset',          'VK-012', 0, 1,  0, 0, 'Kestrel K12 XF',  1, 'Larch UI 1.1 cross-fleet',  '0,1,3'),
    ( 3,  14, 'Kestrel K14 cross-fleet handset',          'VK-014', 0, 1, 18, 0, 'Kestrel K14 XF',  2, 'Larch UI 1.2 cross-fleet',  '0,1,3'),
    -- Heron: handsets with talkgroup scan lists and status messages.
    ( 4,  20, 'Heron H20 handset with scan lists',        'VH-020', 1, 0,  0, 0, 'Heron H20',       3, 'Larch UI 2.0 scan',         '0,1'),
    ( 5,  24, 'Heron H24 handset with scan lists',        'VH-024', 6, 0,  0, 0, 'Heron H24',       5, 'Larch UI 2.1 scan',         '0,1,2'),
    -- Osprey, Wren, Falcon: Birch user interface.
    ( 6,  30, 'Osprey S30 vehicle phone',                 'VS-030', 2, 0,  0, 0, 'Osprey S30',      4, 'Birch 1.0',                 '0'),
    ( 7,  33, 'Wren W33 compact handset',                 'VW-033', 3, 0,  0, 0, 'Wren W33',        6, 'Birch compact',             ''),
    ( 8,  40, 'Falcon F40 cross-fleet vehicle phone',     'VF-040', 4, 1,  0, 0, 'Falcon F40 XF',   7, 'Birch 2.0 cross-fleet',     '0,1,3'),
    ( 9,  42, 'Falcon F42 cross-fleet vehicle phone',     'VF-042', 4, 1, 20, 0, 'Falcon F42 XF',  12, 'Birch 2.2 cross-fleet',     '0,1,3'),
    -- Merlin, Harrier: Larch FDI user interface.
    (10,  50, 'Merlin M50 cross-fleet desk set',          'VM-050', 5, 1,  0, 0, 'Merlin M50 XF',   8, 'Larch FDI 1.0 cross-fleet', '0,1,2,3'),
    (11,  52, 'Merlin M52 cross-fleet desk set',          'VM-052', 5, 1, 22, 0, 'Merlin M52 XF',   9, 'Larch FDI 1.1 cross-fleet', '0,1,2,3'),
    (12,  60, 'Harrier R60 handset with scan lists',      'VR-060', 9, 0,  0, 0, 'Harrier R60',    10, 'Larch FDI 2.0 scan',        '0,1,4,5'),
    (13,  62, 'Harrier R62 large-list handset',           'VR-062', 8, 0,  0, 0, 'Harrier R62',    11, 'Larch FDI 2.1',             '0,1,3,11'),
    -- q700: SIM phones, lists kept on the SIM.
    (14,  70, 'q700 Field SIM handset',                   'VQ-700', 7, 0,  0, 0, 'q700 Field',     16, 'Larch FDI SIM',             '0,1,2,3,255'),
    (15,  72, 'q700 Marine SIM handset',                  'VQ-720', 7, 0,  0, 0, 'q700 Marine',    20, 'Birch SIM marine',          '0,1,6,7'),
    (16,  92, 'q700 Rugged SIM handset',                  'VQ-920', 7, 0,  0, 0, 'q700 Rugged',    18, 'Birch SIM',                 '0,1,8'),
    -- Condor: release 39 of the C90 carries the large list block.
    (17,  90, 'Condor C90 handset',                       'VC-090', 0, 0,  0, 0, 'Condor C90',     13, 'Larch FDI 1.3',             '0,1,3'),
    (18,  91, 'Condor C91 Plus high-speed handset',       'VC-091', 8, 0,  0, 1, 'Condor C91 Plus',14, 'Larch UI 3.0 plus',         '0,1,3'),
    (19,  94, 'Condor C94 Plus high-speed handset',       'VC-094', 1, 0,  0, 1, 'Condor C94 Plus',15, 'Birch 3.0 plus',            '0,1,2,3'),
    -- Alder platform: styles, shortcuts, quick notes and personalised menus; lists on the SIM.
    (20, 105, 'Alder A5 smart handset',                   'VA-105', 7, 0,  0, 0, 'Alder A5',       22, 'Alder UI 1.0',              '0,1,3,255'),
    (21, 110, 'Alder A10 smart handset',                  'VA-110', 7, 0,  0, 0, 'Alder A10',      23, 'Alder UI 2.0',              '0,1,2,3'),
    (22, 111, 'Alder A11 smart handset, q700 SIM set',    'VA-111', 7, 0,  0, 0, 'Alder A11',      23, 'Alder UI 2.0',              '0,1,2,3'),
    (23, 114, 'Cedar C14 smart handset',                  'VD-114', 7, 0,  0, 0, 'Cedar C14',      24, 'Alder UI 2.1 Cedar menus',  '0,1,3,11'),
    (24, 116, 'Alder G16 smart handset with positioning', 'VA-116', 7, 0,  0, 0, 'Alder G16',      24, 'Alder UI 2.1 agps menus',   '0,1,2,3,4');
