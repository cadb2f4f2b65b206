#pragma once
// The numbered error catalogue: turns an ID into a message and shows it as a runtime exception
// (which ends the message loop once control returns to it) or as a runtime warning.

#include <QString>
#include <functional>

// The catalogue's message for an ID with "%s" replaced by the detail; empty for unknown IDs.
QString ErrorMessage(int id, const QString& detail);

// The full report text as the dialog shows it.
QString ErrorReportText(int id, const QString& componentTag, const QString& detail, bool fatal);

// Shows the report. A fatal report requests termination; the caller's code path runs on.
// Writes nothing to the log.
void ReportError(int id, const QString& componentTag, const QString& detail, bool fatal);

// How reports reach the user. The program installs a dialog presenter unless
// ZEPHONIC_REPORT=stderr; without a presenter, reports go to stderr.
struct ErrorPresenter {
  std::function<void(const QString& text, bool fatal)> show;
  std::function<void()> restoreApplication;  // un-minimise so the dialog is seen
  std::function<void()> requestTermination;  // end the message loop once control returns
};
void SetErrorPresenter(ErrorPresenter presenter);

// True once a fatal report has requested termination in this process.
bool TerminationRequested();
void ResetTerminationRequest();
