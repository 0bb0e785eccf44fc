#include "WhenModal.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

void WhenModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, [action]() {
        QTRY_VERIFY(QApplication::activeModalWidget());
        action(QApplication::activeModalWidget());
    });
}
