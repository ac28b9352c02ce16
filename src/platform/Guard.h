#pragma once

#include <QString>

#include <exception>

// What a guard throws when the work it runs fails unexpectedly: the kind of
// work and the step it had reached. The front ends hand it to the error dump.
// It is not a std::exception, so an outer guard lets an inner guard's failure
// pass and the innermost category and step are the ones reported.
struct GuardFailure {
    QString category;
    int step = 0;
};

// Runs `body`; an unexpected failure inside it (a std::exception) becomes a
// GuardFailure with `category` and the value `step` holds at that moment
// (hence a reference in the step's own type: a converted copy would hold the
// value at the start). The end of the program passes through untouched.
template <typename Step, typename Body>
void Guarded(const QString& category, const Step& step, Body&& body) {
    try {
        body();
    } catch (const std::exception&) {
        throw GuardFailure{category, static_cast<int>(step)};
    }
}
