#pragma once
// The application-wide exception handler's report: an exception that escaped an event handler is
// reported as ID 9999, a warning, which shows nothing; the program carries on with the next event.

#include <QString>
#include <exception>

struct ExceptionReport {
  QString tag;     // "TZUnknownException [<class name> , <size>]"
  QString detail;  // CR LF + the exception's message
};

// The size is that of the standard exception class the handler caught it as: C++ does not tell
// the size of the thrown object itself.
ExceptionReport DescribeException(std::exception_ptr error);

// Reports an exception that escaped an event handler.
void ReportEscapedException(std::exception_ptr error);
