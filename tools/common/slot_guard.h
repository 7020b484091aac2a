// The tools' slots and timer handlers run through GuardSlot: the toolkit cannot carry an
// exception through its event loop, so one that escaped a slot would end the program, possibly
// with a drive half handled.  The failure is reported (a message box in the programs) and the
// slot ends.
#pragma once

#include <concepts>
#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "tools/common/text_format.h"
#include "tools/common/tool_ui.h"

// Marks a text for the translation tools without pulling in any toolkit header.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace tarsel::tools {

// The report's title and text; %1 is the failure's own description.
inline constexpr const char* kUnexpectedFailureTitle = QT_TRANSLATE_NOOP("ToolUi", "Error");
inline constexpr const char* kUnexpectedFailure = QT_TRANSLATE_NOOP("ToolUi", "Unexpected failure: %1");

// Runs `body`; an exception it throws goes to `report` as its description instead.
template <typename Body, typename Report>
void GuardSlot(Body&& body, Report&& report) noexcept {
    std::string what;
    try {
        std::forward<Body>(body)();
        return;
    } catch (const std::exception& e) {
        try {
            what = e.what();
        } catch (...) {
        }
    } catch (...) {
        what = "unknown";  // short enough to need no allocation
    }
    try {
        report(what);
    } catch (...) {
        // Nothing is left to tell the user with.
    }
}

// A callable for connecting a signal through GuardSlot.  Like the toolkit does for any slot, it
// takes as many of the signal's arguments as `call` accepts.
template <typename Call, typename Report>
struct GuardedCall {
    Call call;
    Report report;

    template <typename... Args>
    requires std::invocable<const Call&, Args...>
    void operator()(Args&&... args) const {
        GuardSlot([&] { std::invoke(call, std::forward<Args>(args)...); }, report);
    }
};

// `call`, a lambda, guarded.
template <typename Call, typename Report>
GuardedCall<Call, Report> Guarded(Call call, Report report) {
    return {std::move(call), std::move(report)};
}

// Member function `slot` of `object`, guarded.
template <typename Object, typename Slot, typename Report>
auto Guarded(Object* object, Slot slot, Report report) {
    return Guarded(std::bind_front(slot, object), std::move(report));
}

// A report that shows the failure in an error box of `ui`.
inline auto ReportTo(ToolUi& ui) {
    return [&ui](const std::string& what) {
        ui.Fail(ui.Translate("ToolUi", kUnexpectedFailureTitle),
                FormatText(ui.Translate("ToolUi", kUnexpectedFailure), {what}));
    };
}

}  // namespace tarsel::tools
