#include "base/errors.h"

#include <cstdio>
#include <utility>

namespace zephane {

namespace {

AssertionHandler& current_assertion_handler() {
    static AssertionHandler handler;
    return handler;
}

TraceSink& current_trace_sink() {
    static TraceSink sink;
    return sink;
}

std::string describe(const std::string& expression, const std::string& module, int line) {
    return "\"" + expression + "\" failed in " + module + ", line " + std::to_string(line);
}

} // namespace

InternalError::InternalError(std::string expression, std::string module, int line)
    : std::runtime_error("Internal error: " + describe(expression, module, line)),
      expression_(std::move(expression)), module_(std::move(module)), line_(line) {}

AssertionFailure::AssertionFailure(AssertionInfo info)
    : std::runtime_error("Assertion failure: " + describe(info.expression, info.module, info.line)),
      info_(std::move(info)) {}

AssertionHandler set_assertion_handler(AssertionHandler handler) {
    return std::exchange(current_assertion_handler(), std::move(handler));
}

void assertion_failed(const char* expression, const char* module, int line) {
    AssertionInfo info{expression, module, line};
    if (const auto& handler = current_assertion_handler()) {
        handler(info);
        return;
    }
    throw AssertionFailure(std::move(info));
}

void internal_error(const char* expression, const char* module, int line) {
    throw InternalError(expression, module, line);
}

TraceSink set_trace_sink(TraceSink sink) {
    return std::exchange(current_trace_sink(), std::move(sink));
}

std::string format_trace_line(const char* module, int line, const std::string& message) {
    return std::string(module) + ", line #" + std::to_string(line) + ": " + message;
}

void trace(const char* module, int line, const std::string& message) {
    if (const auto& sink = current_trace_sink()) sink(format_trace_line(module, line, message));
}

} // namespace zephane
