#pragma once

#include <QDialog>

class QPushButton;

// The about box: program name, version and web address, and the list of supported codeplugs.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(const QString& displayName, QWidget* parent = nullptr);

    static QString WebAddress();
    static QString Version();
    QPushButton* SupportButton() const { return m_support; }

private:
    QPushButton* m_support = nullptr;
};
