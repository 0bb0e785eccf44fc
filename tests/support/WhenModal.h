#pragma once

#include <functional>

class QWidget;

// Runs action on the modal dialog that the next call opens, once it is shown (the test fails when
// none appears).
void WhenModal(std::function<void(QWidget*)> action);
