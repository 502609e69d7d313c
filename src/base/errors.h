#pragma once
// The three error channels of the core:
//  - UserError and InternalError are exceptions that end the current command;
//  - assertion failures go through one replaceable handler;
//  - importers and savers return results (not here).
// Trace lines go to a replaceable sink and never to the user interface.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace zephane {

inline constexpr std::uint32_t kInternalErrorCode = 0x800001;
inline constexpr std::uint32_t kUserErrorCode = 0x800012;

// A message for the user, such as "%s - The file is read-only.".
class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& message) : std::runtime_error(message) {}
    std::uint32_t code() const { return kUserErrorCode; }
};

// A broken promise inside the program: the failed expression, the module and the line.
class InternalError : public std::runtime_error {
public:
    InternalError(std::string expression, std::string module, int line);
    std::uint32_t code() const { return kInternalErrorCode; }
    const std::string& expression() const { return expression_; }
    const std::string& module() const { return module_; }
    int line() const { return line_; }

private:
    std::string expression_;
    std::string module_;
    int line_;
};

struct AssertionInfo {
    std::string expression;
    std::string module;
    int line = 0;
};

// Thrown by the default assertion handler so that a command (or a test) can stop cleanly.
class AssertionFailure : public std::runtime_error {
public:
    explicit AssertionFailure(AssertionInfo info);
    const AssertionInfo& info() const { return info_; }

private:
    AssertionInfo info_;
};

// The handler decides what a failed assertion does: the editor asks the user (end,
// debug, continue), the command-line tool prints and stops. A handler that returns lets
// the program continue after the check.
using AssertionHandler = std::function<void(const AssertionInfo&)>;

// Installs a handler and returns the previous one. An empty handler restores the default,
// which throws AssertionFailure.
AssertionHandler set_assertion_handler(AssertionHandler handler);
void assertion_failed(const char* expression, const char* module, int line);

[[noreturn]] void internal_error(const char* expression, const char* module, int line);

// Diagnostic trace lines "%s, line #%d: %s" (module, line, message).
using TraceSink = std::function<void(const std::string& line)>;
TraceSink set_trace_sink(TraceSink sink);
void trace(const char* module, int line, const std::string& message);
std::string format_trace_line(const char* module, int line, const std::string& message);

} // namespace zephane

// Checks an invariant; `text` is the expression as reported (it names the invariant, which
// may read differently from the C++ that tests it).
#define ZEPHANE_ASSERT(condition, text, module)                                                    \
    do {                                                                                           \
        if (!(condition)) ::zephane::assertion_failed((text), (module), __LINE__);                \
    } while (0)

#define ZEPHANE_CHECK(condition, text, module)                                                     \
    do {                                                                                           \
        if (!(condition)) ::zephane::internal_error((text), (module), __LINE__);                  \
    } while (0)

#define ZEPHANE_TRACE(module, message) ::zephane::trace((module), __LINE__, (message))
