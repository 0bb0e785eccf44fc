#pragma once

#include <functional>

class CUnitPropertySheet;
class CUnitSheetPage;
class QWidget;

// The Copy button of the sheet's pages: copies what a page edits to other units. The dialog belongs to
// the fleet exchange, above the unit editor, so the program installs it at start; until then the
// buttons stay disabled.
class CUnitCopyOpener
{
public:
    // What a Copy button copies (the copy dialog's modes).
    enum Mode : int
    {
        PhoneBook = 1,
        Private = 2,
        Talkgroups = 3,
        Consolidated = 4,
        AdvancedSettings = 5,
        BasicSettings = 6,
        StatusMessages = 7,
        ScanList = 8,
        AlderErgonomics = 11,
    };

    // mode: what to copy (1 phone book, 2 private list, 3 talkgroups, 4 consolidated list, 5 advanced
    // settings, 6 basic settings, 7 status messages, 8 scan list, 11 Alder ergonomics); nam 1..3 for
    // the per-NAM lists; extra: what the page adds (basic settings: 1 when the lock-outs move together).
    using Opener =
        std::function<void(CUnitPropertySheet& sheet, int mode, int nam, int extra, QWidget* parent)>;

    static void Install(const Opener& opener);
    static bool Installed();
    // Takes the page's edits into its "_tmp" twin (what the dialog copies), then opens the dialog.
    // False when the page refused to be left or no dialog is installed.
    static bool Run(CUnitSheetPage& page, int mode, int nam, int extra = 0);
};
