#pragma once

class QWidget;

// The options dialog: the settings the program reads for the phone link, the codeplug backups and
// SMS messages. page: the tab to open on (0 phone link, 1 backup, 2 SMS). Answers 1 (OK) when the
// settings were saved, 2 (Cancel) otherwise.
int DispalyOptionsDialog(QWidget* parent, int page);
