#pragma once

// The scenes velmora-screens draws. Each takes the arguments after the scene's name (argv[0] is the
// scene's name), makes its own application object, and returns the exit status.

// The main window without and with a fleet, each menu, the about box, the supported-codeplug list,
// the options tabs and the append question: <English|French|Hebrew> <output folder>.
int WindowScene(int argc, char** argv);
// One grid of every list type with sample rows, in English and Hebrew: <output folder> [program folder].
int GridScene(int argc, char** argv);
// The units grid of a dozen units (also while a new unit is typed) and the new-unit prompt, in English
// and Hebrew: <output folder>.
int UnitsScene(int argc, char** argv);
// Every page of the unit property sheet for an Alder unit and an ordinary unit, in English and Hebrew:
// <output folder>.
int SheetScene(int argc, char** argv);
// Each section of the ergonomic settings page of an Alder unit, in English and Hebrew: <output folder>.
int ErgoScene(int argc, char** argv);
// The phone-book transfer dialog of an Alder unit as it opens and after some moves, in English and
// Hebrew: <output folder>.
int TransferScene(int argc, char** argv);
// The talkgroup manager on a fleet with a few talkgroups, in English and Hebrew: <output folder>.
int TalkgroupScene(int argc, char** argv);
// The SMS window, the status dialog in the middle of a send, the load, recipients and modem dialogs,
// in English and Hebrew: <output folder>.
int SmsScene(int argc, char** argv);
// The Copy Wizard's pages and its choose-a-unit dialog, in English and Hebrew: <output folder>.
int CopyWizardScene(int argc, char** argv);
// Auto fill: the dialog of a phone list and of a consolidated call list, and the whole-fleet run's
// progress window, in English and Hebrew: <output folder>.
int AutoFillScene(int argc, char** argv);

// The PIM window: the phone book and the date book's day, week and month views, in English and Hebrew:
// <output folder>.
int PimScene(int argc, char** argv);
// The copy-user-information dialog in English and Hebrew.
int CopyScene(int argc, char** argv);
// The help window on three topics (contents, a page, a search) in English and Hebrew: <output folder>
// [help folder].
int HelpScene(int argc, char** argv);
