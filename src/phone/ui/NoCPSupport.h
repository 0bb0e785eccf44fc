#pragma once

#include <QDialog>

class QLabel;

// Tells that the codeplug of the phone on the cable is not supported, with the support web address
// where the supported list and updates are.
class NoCPSupport : public QDialog
{
    Q_OBJECT
public:
    enum : int
    {
        DialogId = 2040,
        LinkId = 1884,
    };

    explicit NoCPSupport(QWidget* parent = nullptr);

    static QString SupportAddress();
    QLabel* Link() const { return m_link; }

private:
    QLabel* m_link = nullptr;
};
