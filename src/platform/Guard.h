#pragma once

#include <QString>

#include <exception>

// What a guard reports when the work it runs fails unexpectedly: the kind of
// work and the step it had reached.
struct GuardFailure {
    QString category;
    int step = 0;
};

// Runs `body`; an unexpected failure inside it (a std::exception) goes to
// `report` with `category` and the value `step` holds at that moment (hence a
// reference in the step's own type: a converted copy would hold the value at
// the start). The end of the program is not a std::exception and passes
// through untouched.
template <typename Step, typename Report, typename Body>
void RunGuarded(const QString& category, const Step& step, Report&& report, Body&& body) {
    try {
        body();
    } catch (const std::exception&) {
        report(GuardFailure{category, static_cast<int>(step)});
    }
}
