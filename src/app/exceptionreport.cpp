#include "app/exceptionreport.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>
#include <typeinfo>

#include "base/errorcatalogue.h"

namespace {

QString ClassName(const std::type_info& type) {
  int status = 0;
  const std::unique_ptr<char, decltype(&std::free)> name(
      abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
  return QString::fromUtf8(status == 0 && name ? name.get() : type.name());
}

ExceptionReport Report(const QString& className, std::size_t size, const char* message) {
  return {QStringLiteral("TZUnknownException [%1 , %2]").arg(className).arg(size),
          QStringLiteral("\r\n") + QString::fromUtf8(message)};
}

template <typename Caught>
ExceptionReport Report(const Caught& error) {
  return Report(ClassName(typeid(error)), sizeof(Caught), error.what());
}

}  // namespace

ExceptionReport DescribeException(std::exception_ptr error) {
  if (!error) {
    return Report(QStringLiteral("unknown"), 0, "");
  }
  try {
    std::rethrow_exception(error);
  } catch (const std::system_error& e) {
    return Report(e);
  } catch (const std::runtime_error& e) {
    return Report(e);
  } catch (const std::logic_error& e) {
    return Report(e);
  } catch (const std::bad_alloc& e) {
    return Report(e);
  } catch (const std::exception& e) {
    return Report(e);
  } catch (...) {
    return Report(QStringLiteral("unknown"), 0, "");
  }
}

void ReportEscapedException(std::exception_ptr error) {
  const ExceptionReport report = DescribeException(error);
  ReportError(9999, report.tag, report.detail, false);
}
