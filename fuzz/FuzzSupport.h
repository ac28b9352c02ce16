#pragma once

// What the fuzz targets share: taking the input apart, and stopping on a
// broken rule so that libFuzzer keeps the input that broke it.

#include "platform/RegionalForms.h"
#include "platform/RunTimeFailure.h"

#include <QFile>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace fuzz {

inline void require(bool holds, const char* rule, const QString& detail = QString()) {
    if (holds)
        return;
    std::fprintf(stderr, "\n*** Broken rule: %s\n*** %s\n", rule, detail.toUtf8().constData());
    std::abort();
}

// What `f` gives, or nothing when it fails with a run-time failure.
template <typename F> auto attempt(F f) -> std::optional<decltype(f())> {
    try {
        return f();
    } catch (const RunTimeFailure&) {
        return std::nullopt;
    }
}

inline std::vector<RegionalForms> formsOf(std::initializer_list<const char*> names) {
    std::vector<RegionalForms> forms;
    for (const char* name : names)
        forms.emplace_back(QLocale(QString::fromLatin1(name)));
    return forms;
}

// The locales the readers are tried in: a point or a comma as the decimal
// separator, the symbol in front of or behind the amount, two-digit and
// four-digit years, day-month-year, month-day-year and year-month-day.
inline const RegionalForms& formsFor(std::uint8_t selector) {
    static const auto forms =
        formsOf({"en_GB", "en_US", "de_DE", "fr_FR", "sv_SE", "de_CH", "ja_JP"});
    return forms[selector % forms.size()];
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        require(false, "writing the input file", file.errorString());
}

// The input: its first bytes choose the case, the rest is the text or file.
inline QByteArray inputOf(const std::uint8_t* data, std::size_t size) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline std::uint8_t byteAt(const QByteArray& input, qsizetype at) {
    return at < input.size() ? std::uint8_t(input[at]) : 0;
}

// Eight bytes from `at` on (zeros past the end) as bits, so that every double
// and every day can be made from an input.
inline std::uint64_t bitsAt(const QByteArray& input, qsizetype at) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, input.mid(at).leftJustified(8, '\0').constData(), sizeof bits);
    return bits;
}

// The bytes from `at` on as a text: UTF-8 (invalid sequences become U+FFFD)
// or, to reach every UTF-16 unit including lone surrogates, UTF-16.
inline QString textAt(const QByteArray& input, qsizetype at, bool asUtf16) {
    const QByteArray bytes = input.mid(at); // a copy, aligned for UTF-16
    return asUtf16 ? QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2)
                   : QString::fromUtf8(bytes);
}

} // namespace fuzz
