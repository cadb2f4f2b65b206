#pragma once
// Modal message boxes of the program. With ZEPHONIC_REPORT=stderr nobody is there to answer:
// the text goes to standard error and the default button is taken at once.

#include <QMessageBox>
#include <QString>

// True when reports and questions go to standard error (ZEPHONIC_REPORT=stderr).
bool ReportsToStderr();

// Shows a modal message box and returns the button pressed (defaultButton when unattended).
QMessageBox::StandardButton ShowMessageBox(QMessageBox::Icon icon, const QString& title,
                                           const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton);

// Makes the error catalogue show its reports in dialogs (or on standard error when unattended),
// bring minimised windows back first, and end the message loop after a fatal report.
void InstallErrorPresenter();
